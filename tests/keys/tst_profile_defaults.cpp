// The factory profile shipped in modules/setting/: every key the UI reads has
// its factory value, the ten profiles start as copies of it, and the file is
// what the generator writes from the key tables.
#include "keys/key_names.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSettingDir = QStringLiteral(GEARCONSOLE_SOURCE_DIR "/modules/setting");

// The keyboard's keys by column, rows 0 to 5 ("" where there is no key).
const QList<QStringList> kColumns = {
    {"Esc", "`", "Tab", "Caps", "LShift", "LCtrl"},
    {"", "1", "Q", "A", "|\\", "LWin"},
    {"F1", "2", "W", "S", "Z", "LAlt"},
    {"F2", "3", "E", "D", "X", ""},
    {"F3", "4", "R", "F", "C", ""},
    {"F4", "5", "T", "G", "V", ""},
    {"F5", "6", "Y", "H", "B", "Space"},
    {"F6", "7", "U", "J", "N", ""},
    {"F7", "8", "I", "K", "M", ""},
    {"F8", "9", "O", "L", ",", ""},
    {"F9", "0", "P", ";", ".", "RAlt"},
    {"F10", "-", "[", "'", "/", "Fn"},
    {"F11", "=", "]", "", "", "App"},
    {"F12", "Back", "\\", "Enter", "RShift", "RCtrl"},
    {"Prt", "Ins", "Del", "", "", QString(QChar(0x25C4))},
    {"Scr", "Hom", "End", "", QString(QChar(0x25B2)), QString(QChar(0x25BC))},
    {"Pau", "Pgu", "PgD", "", "", QString(QChar(0x25BA))},
    {"", "Num", "KP7", "KP4", "KP1", "KP0"},
    {"", "KPDIV", "KP8", "KP5", "KP2", ""},
    {"", "KPMUL", "KP9", "KP6", "KP3", "KP."},
    {"", "KPSUB", "KPPLUS", "", "KPEnter", ""},
};

QString keyName(int index) { return kColumns[index / 6][index % 6]; }

QByteArray contents(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList readList(const QSettings &store, const QString &key) { return store.value(key).toStringList(); }

void checkNumbers(const QStringList &values, int low, int high)
{
    for (const QString &value : values) {
        bool ok = false;
        const int number = value.toInt(&ok);
        QVERIFY2(ok && number >= low && number <= high, qPrintable(value));
    }
}

} // namespace

class TestProfileDefaults : public QObject
{
    Q_OBJECT

private slots:
    void matrixTranscription()
    {
        QCOMPARE(kColumns.size() * 6, 126);
        QCOMPARE(keyName(10), QStringLiteral("|\\"));
        QCOMPARE(keyName(71), QStringLiteral("Fn"));
    }

    void everyKeyHasItsOwnName()
    {
        const QSettings defaults(kSettingDir + QStringLiteral("/pD.bin"), QSettings::IniFormat);
        for (int i = 0; i < 126; ++i) {
            const QStringList pair = readList(defaults, QStringLiteral("keyboardKeyMatrix/%1").arg(i));
            const QStringList expected = i == 71 ? QStringList{"4", "3"} : QStringList{"2", keyName(i)};
            QVERIFY2(pair == expected, qPrintable(QStringLiteral("key %1: %2").arg(i).arg(pair.join('|'))));
        }
    }

    // The stored names must convert to codes, or the factory matrix would
    // send ";" for the key; the key in position p of the table is the key.
    void storedNamesAreKeyNames()
    {
        const QStringList names = keyNames();
        for (int i = 0; i < 126; ++i) {
            const QString name = keyName(i);
            if (name.isEmpty() || i == 71)
                continue;
            QVERIFY2(names.contains(name), qPrintable(name));
        }
        QCOMPARE(usageOfName(keyName(10)), 0x64);
        QCOMPARE(usageOfName(keyName(80)), 0x31);
        QCOMPARE(usageOfName(keyName(7)), 0x1E);
    }

    void lightingValuesAndPictures()
    {
        const QSettings defaults(kSettingDir + QStringLiteral("/pD.bin"), QSettings::IniFormat);
        const QStringList light = readList(defaults, QStringLiteral("keyboard/lightValue"));
        QCOMPARE(light.size(), 8);
        checkNumbers(light.mid(0, 1), 0, 17);
        checkNumbers(light.mid(1, 2), 0, 218);
        checkNumbers(light.mid(3, 3), 0, 255);
        checkNumbers(light.mid(6, 2), 0, 1);
        if (light[7] == QLatin1String("0"))
            QCOMPARE(light[0], QStringLiteral("2"));  // left to right goes with Wave only
        for (int k = 0; k < 5; ++k) {
            const QStringList picture = readList(defaults, QStringLiteral("keyboard/led%1").arg(k));
            QCOMPARE(picture.size(), 126);
            checkNumbers(picture, 0, 1);
        }
    }

    void mouseButtonsAndSensitivity()
    {
        const QSettings defaults(kSettingDir + QStringLiteral("/pD.bin"), QSettings::IniFormat);
        for (int b = 0; b < 16; ++b) {
            const QStringList button = readList(defaults, QStringLiteral("mouseKeyMatrix/%1").arg(b));
            QCOMPARE(button.size(), 4);
            checkNumbers(button, 0, 255);
            QVERIFY(button[0] != QLatin1String("4"));  // no factory macro
        }
        QCOMPARE(defaults.value(QStringLiteral("XYSensitive/0")).toString(), QStringLiteral("4"));
        QCOMPARE(defaults.value(QStringLiteral("XYSensitive/1")).toString(), QStringLiteral("4"));
    }

    void profilesStartAsCopies()
    {
        const QByteArray factory = contents(kSettingDir + QStringLiteral("/pD.bin"));
        QVERIFY(!factory.isEmpty());
        for (int p = 1; p <= 10; ++p)
            QVERIFY2(contents(kSettingDir + QStringLiteral("/p%1.bin").arg(p)) == factory,
                     qPrintable(QStringLiteral("p%1.bin").arg(p)));
    }

    void shippedFilesAreWhatTheGeneratorWrites()
    {
        QTemporaryDir dir;
        QProcess generator;
        generator.start(QStringLiteral(PROFILE_DEFAULTS_TOOL), {dir.path()});
        QVERIFY(generator.waitForFinished(30000));
        QCOMPARE(generator.exitCode(), 0);
        QCOMPARE(contents(dir.filePath(QStringLiteral("pD.bin"))), contents(kSettingDir + QStringLiteral("/pD.bin")));
        QCOMPARE(contents(dir.filePath(QStringLiteral("p10.bin"))), contents(kSettingDir + QStringLiteral("/pD.bin")));
    }
};

QTEST_APPLESS_MAIN(TestProfileDefaults)
#include "tst_profile_defaults.moc"
