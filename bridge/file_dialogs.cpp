#include "file_dialogs.h"

#include <QFileDialog>
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

QString desktopDirectory() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }
