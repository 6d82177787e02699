#include "udev_rules_command.h"

#include "platform/data_folder.h"

#include "device_table_file.h"
#include "rules_text.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

#ifndef GEARCONSOLE_UDEV_FROM_BIN
#define GEARCONSOLE_UDEV_FROM_BIN "../lib/udev"
#endif

namespace {

const QString kHelperName = QStringLiteral("gearconsole-hidraw-usage");
// Where udev looks for a helper named without a path.
const QString kUdevFolder = QStringLiteral("/usr/lib/udev");

int refuse(const QString &message)
{
    std::fprintf(stderr, "gearctl: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int printUdevRules(const QString &programFolder)
{
    const QString shipped = DataFolder::shippedModulesFolder(programFolder);
    if (shipped.isEmpty())
        return refuse(QStringLiteral("no shipped data beside %1 nor installed").arg(programFolder));
    const QString tableFile = shipped + QStringLiteral("/setting/apConfig.bin");
    std::vector<TableEntry> table;
    if (!readDeviceTableFile(QFile::encodeName(tableFile).toStdString(), &table) || table.empty())
        return refuse(QStringLiteral("no device table in %1").arg(tableFile));

    const QString beside = QDir(programFolder).absoluteFilePath(kHelperName);
    const QString installed =
        QDir::cleanPath(QDir(programFolder).absoluteFilePath(QStringLiteral(GEARCONSOLE_UDEV_FROM_BIN "/") + kHelperName));
    std::string helper, helperTable;
    if (QFileInfo(beside).isExecutable()) {
        helper = QFile::encodeName(beside).toStdString();
        helperTable = QFile::encodeName(tableFile).toStdString();
    } else if (QFileInfo(installed).isExecutable()) {
        // Installed in udev's own folder the helper is named as the installed
        // rules name it; elsewhere (an unpacked package) by its path.
        const bool inUdevFolder = QFileInfo(installed).canonicalPath() == kUdevFolder;
        helper = QFile::encodeName(inUdevFolder ? kHelperName : installed).toStdString();
        if (!inUdevFolder)
            helperTable = QFile::encodeName(tableFile).toStdString();
    } else {
        return refuse(QStringLiteral("no %1 beside gearctl nor at %2").arg(kHelperName, installed));
    }

    std::string text, error;
    if (!udevRulesText(table, helper, helperTable, &text, &error))
        return refuse(QString::fromStdString(error));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
