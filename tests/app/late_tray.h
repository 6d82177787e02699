#pragma once
#include <QString>

// An XEmbed system tray that comes late, as a panel starting after the
// program at login: it owns the tray selection and announces it, for as long
// as the object lives.
class LateTray
{
public:
    explicit LateTray(const QString &displayName);
    ~LateTray();
    bool isAnnounced() const { return m_display != nullptr; }

private:
    void *m_display = nullptr;  // an Xlib Display, kept out of Qt's headers
};
