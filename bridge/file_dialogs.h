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
    // `directory` may end in a proposed file name, which the dialog shows
    // selected; a name typed without a suffix gets the filter's.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &directory, const QString &filter);
    virtual QString existingDirectory(QWidget *parent, const QString &title, const QString &directory);

    static FileDialogs &current();
    // Replaces the dialogs; null puts the real ones back.
    static void install(std::unique_ptr<FileDialogs> dialogs);
};

// Where every dialog of the bridge starts: the user's desktop folder.
QString desktopDirectory();

// The suffix of a filter such as "Profile(*.pf)" ("pf"), or "".
QString filterSuffix(const QString &filter);
// `path` with the filter's suffix added when its file name has none, so that
// an export is found again by the import's filter.
QString withFilterSuffix(const QString &path, const QString &filter);
// What a save dialog proposes for `name`: that name in the desktop folder with
// the filter's suffix, characters a file name cannot hold replaced.
QString proposedSavePath(const QString &name, const QString &filter);
