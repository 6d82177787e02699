#include "file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
std::unique_ptr<FileDialogs> &installed()
{
    static std::unique_ptr<FileDialogs> dialogs = std::make_unique<FileDialogs>();
    return dialogs;
}
} // namespace

QString FileDialogs::openFileName(QWidget *parent, const QString &title, const QString &directory, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

QString FileDialogs::saveFileName(QWidget *parent, const QString &title, const QString &directory, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, directory, filter);
}

QString FileDialogs::existingDirectory(QWidget *parent, const QString &title, const QString &directory)
{
    return QFileDialog::getExistingDirectory(parent, title, directory, QFileDialog::ShowDirsOnly);
}

FileDialogs &FileDialogs::current() { return *installed(); }

void FileDialogs::install(std::unique_ptr<FileDialogs> dialogs)
{
    installed() = dialogs ? std::move(dialogs) : std::make_unique<FileDialogs>();
}

QString desktopDirectory()
{
    // Many Linux homes have no desktop folder. Handed a folder that does not
    // exist, the dialog opens its parent with "Desktop" typed as the file
    // name, which an export would then write: the home folder instead.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}
