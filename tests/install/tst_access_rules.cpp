// The udev rules made from the device table, at build time and by gearctl.
#include "device_table_file.h"
#include "rules_text.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <sstream>

namespace {

const QString kBinaryDir = QStringLiteral(GEARCONSOLE_BINARY_DIR);
const QString kShippedTable = QStringLiteral(GEARCONSOLE_SOURCE_DIR "/modules/setting/apConfig.bin");

std::vector<TableEntry> shippedTable()
{
    std::vector<TableEntry> table;
    readDeviceTableFile(kShippedTable.toStdString(), &table);
    return table;
}

QString rulesFor(const std::vector<TableEntry> &table, const std::string &helper, const std::string &helperTable)
{
    std::string text, error;
    if (!udevRulesText(table, helper, helperTable, &text, &error))
        return QStringLiteral("refused: ") + QString::fromStdString(error);
    return QString::fromStdString(text);
}

QStringList ruleLines(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    return lines;
}

} // namespace

class AccessRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void rulesListEveryTableDeviceAndTheBootLoader()
    {
        const QStringList lines = ruleLines(rulesFor(shippedTable(), "gearconsole-hidraw-usage", ""));
        const QStringList expected{
            QStringLiteral("ACTION==\"remove\", GOTO=\"gearconsole_end\""),
            QStringLiteral("SUBSYSTEM!=\"hidraw\", GOTO=\"gearconsole_end\""),
            QStringLiteral("KERNELS==\"0003:FFF0:0101.*\", GOTO=\"gearconsole_check\""),
            QStringLiteral("KERNELS==\"0003:FFF0:0102.*\", GOTO=\"gearconsole_check\""),
            QStringLiteral("KERNELS==\"0003:FFF0:0103.*\", GOTO=\"gearconsole_check\""),
            QStringLiteral("KERNELS==\"0003:FFF0:0104.*\", GOTO=\"gearconsole_check\""),
            QStringLiteral("KERNELS==\"0003:FFF0:0105.*\", GOTO=\"gearconsole_check\""),
            QStringLiteral("KERNELS==\"0003:FFF0:0201.*\", GOTO=\"gearconsole_check\""),
            QStringLiteral("KERNELS==\"0003:04D9:8022.*\", GOTO=\"gearconsole_check\""),
            QStringLiteral("GOTO=\"gearconsole_end\""),
            QStringLiteral("LABEL=\"gearconsole_check\""),
            QStringLiteral("IMPORT{program}=\"gearconsole-hidraw-usage %S%p\""),
            QStringLiteral("ENV{GEARCONSOLE_COMMAND_INTERFACE}==\"1\", TAG+=\"uaccess\""),
            QStringLiteral("LABEL=\"gearconsole_end\""),
        };
        QCOMPARE(lines, expected);
    }

    void entriesWithoutAVendorInterfaceAreLeftOut()
    {
        std::istringstream text("[common]\ndeviceCount=3\n"
                                "[0]\nvid=1234\npid=0001\nusagePage=1\nusage=6\n"
                                "[1]\nvid=0\npid=0\nusagePage=ff00\nusage=1\n"
                                "[2]\nvid=04d9\npid=8022\nusagePage=ff00\nusage=1\n");
        const QString rules = rulesFor(readDeviceTable(text), "/opt/x/helper", "/opt/x/table.bin");
        QVERIFY(!rules.contains(QStringLiteral(":1234:")));
        QVERIFY(rules.contains(QStringLiteral("# entry 0 (1234:0001): no vendor-defined interface")));
        QCOMPARE(rules.count(QStringLiteral("KERNELS==")), 1);  // the boot loader, once
        QVERIFY(rules.contains(QStringLiteral("IMPORT{program}=\"/opt/x/helper --table /opt/x/table.bin %S%p\"")));
    }

    void pathsARuleCannotCarryAreRefused()
    {
        for (const auto &[helper, table] : std::vector<std::pair<std::string, std::string>>{
                 {"/home/a user/helper", ""}, {"/opt/helper", "/tmp/t%d"}, {"relative/helper", ""},
                 {"/opt/helper", "relative.bin"}, {"/opt/$HOME", ""}, {"", ""}}) {
            QVERIFY2(rulesFor(shippedTable(), helper, table).startsWith(QStringLiteral("refused")), helper.c_str());
        }
    }

    void buildWritesTheRulesOfTheShippedTable()
    {
        QFile built(kBinaryDir + QStringLiteral("/packaging/70-gearconsole.rules"));
        QVERIFY(built.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(built.readAll()), rulesFor(shippedTable(), "gearconsole-hidraw-usage", ""));
    }

    void gearctlPrintsTheRulesOfAnUnpackedBuild()
    {
        QProcess gearctl;
        gearctl.start(kBinaryDir + QStringLiteral("/gearctl"), {QStringLiteral("udev-rules")});
        QVERIFY(gearctl.waitForFinished(30000));
        QCOMPARE(gearctl.exitCode(), 0);
        const QString printed = QString::fromUtf8(gearctl.readAllStandardOutput());
        const QString helper = kBinaryDir + QStringLiteral("/gearconsole-hidraw-usage");
        const QString table = kBinaryDir + QStringLiteral("/modules/setting/apConfig.bin");
        QCOMPARE(printed, rulesFor(shippedTable(), helper.toStdString(), table.toStdString()));
        QVERIFY(printed.contains(QStringLiteral("IMPORT{program}=\"") + helper + QStringLiteral(" --table ") + table));

        QProcess extra;
        extra.start(kBinaryDir + QStringLiteral("/gearctl"), {QStringLiteral("udev-rules"), QStringLiteral("x")});
        QVERIFY(extra.waitForFinished(30000));
        QCOMPARE(extra.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(AccessRulesTest)
#include "tst_access_rules.moc"
