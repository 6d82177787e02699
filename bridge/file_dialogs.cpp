#include "file_dialogs.h"

#include <QDir>
#include <QRegularExpression>
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
    QFileDialog dialog(parent, title, directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog adds the suffix before it asks about replacing a file.
    dialog.setDefaultSuffix(filterSuffix(filter));
    const QFileInfo proposed(directory);
    if (!proposed.isDir())
        dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
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

QString filterSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString withFilterSuffix(const QString &path, const QString &filter)
{
    const QString suffix = filterSuffix(filter);
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path.endsWith(QLatin1Char('.')) ? path + suffix : path + QLatin1Char('.') + suffix;
}

QString proposedSavePath(const QString &name, const QString &filter)
{
    QString fileName;
    for (const QChar c : name)
        fileName.append(c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control
                            ? QLatin1Char('_') : c);
    fileName = fileName.trimmed();
    if (fileName.isEmpty() || fileName.startsWith(QLatin1Char('.')))
        fileName.prepend(QLatin1Char('_'));
    const QString suffix = QLatin1Char('.') + filterSuffix(filter);
    if (suffix.size() > 1 && !fileName.endsWith(suffix, Qt::CaseInsensitive))
        fileName.append(suffix);
    return QDir(desktopDirectory()).filePath(fileName);
}
