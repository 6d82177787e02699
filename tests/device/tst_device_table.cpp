// The device table: parsing, defaults, and the table shipped with the program.
#include "device/device_table.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestDeviceTable : public QObject
{
    Q_OBJECT

private slots:
    void sampleTableWithoutDeviceCountIsEmpty()
    {
        // The sample resource counts its entries under "total", which the
        // reader does not use.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sample.ini"));
        QVERIFY(QFile::copy(QStringLiteral(":/DevInfo.ini"), file));
        QSettings(file, QSettings::IniFormat).value(QStringLiteral("0/vid"));
        QVERIFY(readDeviceTable(file).isEmpty());
    }

    void sampleEntriesParse()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sample.ini"));
        QVERIFY(QFile::copy(QStringLiteral(":/DevInfo.ini"), file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        {
            QSettings table(file, QSettings::IniFormat);
            table.setValue(QStringLiteral("common/deviceCount"), 2);
        }
        const QList<DeviceInfo> entries = readDeviceTable(file);
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].type, 0);
        QCOMPARE(entries[0].vid, quint16(0xfff0));
        QCOMPARE(entries[0].pid, quint16(0x0101));
        QCOMPARE(entries[0].usagePage, quint16(0xff00));
        QCOMPARE(entries[0].usage, quint16(0x0001));
        QCOMPARE(entries[0].reportLength, 64);
        QCOMPARE(entries[1].type, 1);
        QCOMPARE(entries[1].pid, quint16(0x0301));
        QCOMPARE(entries[1].usage, quint16(0x0002));
        QCOMPARE(entries[1].reportLength, 32);
        QVERIFY(entries[1].path.isEmpty());
        QVERIFY(entries[1].path2.isEmpty());
    }

    void fieldsParse_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("type is hexadecimal") << "type" << "1a" << 26;
        QTest::newRow("vid upper case") << "vid" << "FFF0" << 0xfff0;
        QTest::newRow("usage page not hex gives 0") << "usagePage" << "zz" << 0;
        QTest::newRow("usage with spaces") << "usage" << " 0c " << 0x0c;
        QTest::newRow("reportLength is decimal") << "reportLength" << "10" << 10;
        QTest::newRow("type not hex gives 0") << "type" << "x1" << 0;
    }
    void fieldsParse()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("table.ini"));
        {
            QSettings table(file, QSettings::IniFormat);
            table.setValue(QStringLiteral("common/deviceCount"), 1);
            table.setValue(QStringLiteral("0/") + key, text);
        }
        const DeviceInfo entry = readDeviceTable(file).value(0);
        const QMap<QString, int> values{{QStringLiteral("type"), entry.type},
                                        {QStringLiteral("vid"), entry.vid},
                                        {QStringLiteral("usagePage"), entry.usagePage},
                                        {QStringLiteral("usage"), entry.usage},
                                        {QStringLiteral("reportLength"), entry.reportLength}};
        QCOMPARE(values.value(key), expected);
    }

    void defaultsApply()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("table.ini"));
        {
            QSettings table(file, QSettings::IniFormat);
            table.setValue(QStringLiteral("common/deviceCount"), 1);
            table.setValue(QStringLiteral("0/vid"), QStringLiteral("1234"));
        }
        const DeviceInfo entry = readDeviceTable(file).value(0);
        QCOMPARE(entry.type, -1);
        QCOMPARE(entry.pid, quint16(0));
        QCOMPARE(entry.usagePage2, quint16(0));
        QCOMPARE(entry.reportLength, 32);
        QCOMPARE(entry.isEncode, false);
        QCOMPARE(entry.sCode, QStringLiteral("418273"));
    }

    void hostileValuesAreLimitedAndLoggedOnce()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("table.ini"));
        {
            QSettings table(file, QSettings::IniFormat);
            table.setValue(QStringLiteral("common/deviceCount"), 1000000);
            for (const char *entry : {"0", "1", "2"}) {
                table.setValue(QLatin1String(entry) + QStringLiteral("/vid"), QStringLiteral("fff0"));
                table.setValue(QLatin1String(entry) + QStringLiteral("/pid"), QStringLiteral("0101"));
            }
            table.setValue(QStringLiteral("0/reportLength"), QStringLiteral("2147483647"));
            table.setValue(QStringLiteral("1/reportLength"), QStringLiteral("-3"));
            table.setValue(QStringLiteral("2/vid"), QStringLiteral("1fff0"));  // not its low 16 bits
            table.setValue(QStringLiteral("2/usage"), QStringLiteral("10001"));
        }
        LogCapture log;
        const QList<DeviceInfo> entries = readDeviceTable(file);
        QCOMPARE(entries.size(), 256);
        QCOMPARE(entries[0].reportLength, 1024);
        QCOMPARE(entries[1].reportLength, -3);  // kept: only blocks and reads need it
        QCOMPARE(entries[2].vid, quint16(0));
        QCOMPARE(entries[2].usage, quint16(0));
        QCOMPARE(log.count(QStringLiteral("only the first 256")), 1);
        QCOMPARE(log.count(QStringLiteral("limited to it - entries QList(0)")), 1);
        QCOMPARE(log.count(QStringLiteral("plain commands only")), 1);
        QCOMPARE(log.count(QStringLiteral("never looked for")), 1);  // one line for entries 2 to 255
    }

    void missingFileGivesEmptyTable()
    {
        QVERIFY(readDeviceTable(QStringLiteral("/nonexistent/apConfig.bin")).isEmpty());
    }

    void shippedTableNamesTheEditionsAndTheAccessory()
    {
        TestWorkspace workspace;
        const QList<DeviceInfo> entries = readDeviceTable(QStringLiteral("./modules/setting/apConfig.bin"));
        QCOMPARE(entries.size(), 6);
        bool anyEncoded = false;
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(entries[i].type, 0);
            QCOMPARE(entries[i].reportLength, 64);
            QVERIFY(entries[i].vid != 0 && entries[i].pid != 0);
            anyEncoded = anyEncoded || entries[i].isEncode;
        }
        QVERIFY(anyEncoded);
        QVERIFY(entries[5].usagePage2 != 0 || entries[5].usage2 != 0);

        QSettings global(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
        for (const char *key : {"common/language", "common/url", "keyboard/profileNo", "mouse/isGun", "mouse/icType"})
            QVERIFY2(global.contains(QLatin1String(key)), key);
        QFile factory(QStringLiteral("./modules/setting/apConfigD.bin"));
        QFile current(QStringLiteral("./modules/setting/apConfig.bin"));
        QVERIFY(factory.open(QIODevice::ReadOnly) && current.open(QIODevice::ReadOnly));
        QCOMPARE(factory.readAll(), current.readAll());
    }
};

QTEST_GUILESS_MAIN(TestDeviceTable)
#include "tst_device_table.moc"
