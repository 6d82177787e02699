#pragma once
#include <QString>

#include <memory>

class QWidget;

// The file and folder dialogs of the bridge, behind a seam so that tests can
// answer them. An empty result means the dialog was cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &directory, const QString &filter);
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &directory, const QString &filter);
    virtual QString existingDirectory(QWidget *parent, const QString &title, const QString &directory);

    static FileDialogs &current();
    // Replaces the dialogs; null puts the real ones back.
    static void install(std::unique_ptr<FileDialogs> dialogs);
};

// Where every dialog of the bridge starts: the user's desktop folder.
QString desktopDirectory();
