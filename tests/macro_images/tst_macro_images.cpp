// The keyboard and mouse macro images, the action-line reader and the byte
// conversion of the transfer, each against bytes worked out by hand.
#include "macros/encoding/action_line.h"
#include "macros/encoding/image_bytes.h"
#include "macros/encoding/keyboard_macro_image.h"
#include "macros/encoding/mouse_macro_image.h"
#include "macros/encoding/ui_steps.h"

#include <QtTest>

#include <limits>

namespace {

constexpr int kA = 0x04;
constexpr int kB = 0x05;
constexpr int kMsLeft = 0xF0;

MacroStep press(int usage, qint64 delay) { return {usage, false, delay}; }
MacroStep release(int usage, qint64 delay) { return {usage, true, delay}; }

// "01 00 00 00" -> {1, 0, 0, 0}
QList<int> hex(const char *text)
{
    QList<int> bytes;
    for (const QByteArray &part : QByteArray(text).split(' '))
        if (!part.isEmpty())
            bytes << part.toInt(nullptr, 16);
    return bytes;
}

} // namespace

class TestMacroImages : public QObject
{
    Q_OBJECT

private slots:
    // Keyboard image.
    void keyboardOneStep()
    {
        QCOMPARE(keyboardMacroImage({press(kA, 10)}, 1), hex("01 00 00 00 04 00 01 00 00 00"));
    }

    void keyboardDelayUnits_data()
    {
        QTest::addColumn<qint64>("delay");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("5 ms: below one unit") << qint64(5) << 1 << 0;
        QTest::newRow("0 ms") << qint64(0) << 1 << 0;
        QTest::newRow("10 ms") << qint64(10) << 1 << 0;
        QTest::newRow("19 ms: units are whole") << qint64(19) << 1 << 0;
        QTest::newRow("20 ms") << qint64(20) << 2 << 0;
        QTest::newRow("2550 ms") << qint64(2550) << 0xFF << 0;
        QTest::newRow("2560 ms: low byte 0 sent as 1") << qint64(2560) << 1 << 1;
        QTest::newRow("2570 ms") << qint64(2570) << 1 << 1;
        QTest::newRow("3000 ms") << qint64(3000) << 0x2C << 1;
        QTest::newRow("655350 ms") << qint64(655350) << 0xFF << 0xFF;
        QTest::newRow("655360 ms: high byte cut") << qint64(655360) << 1 << 0;
        QTest::newRow("negative reads as 0") << qint64(-500) << 1 << 0;
    }
    void keyboardDelayUnits()
    {
        QFETCH(qint64, delay);
        QFETCH(int, low);
        QFETCH(int, high);
        const QList<int> image = keyboardMacroImage({press(kB, delay)}, 1);
        QCOMPARE(image.size(), 10);
        QCOMPARE(image.mid(4, 4), QList<int>({kB, 0, low, high}));
    }

    void keyboardReleaseFlagAndRecordOrder()
    {
        const QList<int> image = keyboardMacroImage({press(kA, 10), release(kA, 20), press(0xE1, 30), release(0xE1, 40)}, 2);
        QCOMPARE(image, hex("02 00 00 00  04 00 01 00  04 80 02 00  E1 00 03 00  E1 80 04 00  00 00"));
    }

    void keyboardCount_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QList<int>>("bytes");
        QTest::newRow("1") << qint64(1) << hex("01 00");
        QTest::newRow("300: low byte first") << qint64(300) << hex("2C 01");
        QTest::newRow("65535") << qint64(65535) << hex("FF FF");
        QTest::newRow("65536 + 5: cut to 16 bits") << qint64(65541) << hex("05 00");
        QTest::newRow("0") << qint64(0) << hex("00 00");
        QTest::newRow("negative reads as 0") << qint64(-3) << hex("00 00");
    }
    void keyboardCount()
    {
        QFETCH(qint64, count);
        QFETCH(QList<int>, bytes);
        QCOMPARE(keyboardMacroImage({press(kA, 10)}, count).mid(0, 4), bytes + QList<int>({0, 0}));
    }

    void keyboardWithoutStepsHasNoEndMarker()
    {
        QCOMPARE(keyboardMacroImage({}, 300), hex("2C 01"));
    }

    void keyboardUsageCutToByte()
    {
        QCOMPARE(keyboardMacroImage({press(0x104, 10)}, 1).at(4), kA);
    }

    void keyboardNeverOutgrowsItsSlot()
    {
        const MacroSteps steps(400, press(kA, 10));
        const QList<int> image = keyboardMacroImage(steps, 1);
        QVERIFY(image.size() <= 512);
        // Whole records and the end marker: (512 - 4 - 2) / 4 = 126 records.
        QCOMPARE(image.size(), 4 + 126 * 4 + 2);
        QCOMPARE(image.mid(image.size() - 6), hex("04 00 01 00 00 00"));
    }

    // Mouse image.
    void mouseClick()
    {
        // The release's record carries the press's 50 ms; the release's own 10 ms is not sent.
        QCOMPARE(mouseMacroImage({press(kMsLeft, 50), release(kMsLeft, 10)}, 1), hex("00 01 01 F0 B2 F0 00 00"));
    }

    void mousePrecedingDelay_data()
    {
        QTest::addColumn<qint64>("delay");
        QTest::addColumn<bool>("isRelease");
        QTest::addColumn<QList<int>>("record");
        QTest::newRow("300, press") << qint64(300) << false << hex("7F 04 01 2C");
        QTest::newRow("300, release") << qint64(300) << true << hex("FF 04 01 2C");
        QTest::newRow("126, press: short") << qint64(126) << false << hex("7E 04");
        QTest::newRow("126, release: short") << qint64(126) << true << hex("FE 04");
        QTest::newRow("127, press: escaped") << qint64(127) << false << hex("7F 04 00 7F");
        QTest::newRow("127, release: escaped") << qint64(127) << true << hex("FF 04 00 7F");
        QTest::newRow("0: sent as 1") << qint64(0) << false << hex("01 04");
        QTest::newRow("1") << qint64(1) << true << hex("81 04");
        QTest::newRow("65535") << qint64(65535) << false << hex("7F 04 FF FF");
        QTest::newRow("70000: high byte keeps 8 bits") << qint64(70000) << false << hex("7F 04 11 70");
        QTest::newRow("negative reads as 0") << qint64(-40) << false << hex("01 04");
    }
    void mousePrecedingDelay()
    {
        QFETCH(qint64, delay);
        QFETCH(bool, isRelease);
        QFETCH(QList<int>, record);
        // The first record always carries 1; the second carries the first step's delay.
        const QList<int> image = mouseMacroImage({press(kB, delay), {kA, isRelease, 999}}, 1);
        QCOMPARE(image, hex("00 01 01 05") + record + QList<int>({0, 0}));
    }

    void mouseCount_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QList<int>>("bytes");
        QTest::newRow("1: high byte first") << qint64(1) << hex("00 01");
        QTest::newRow("300") << qint64(300) << hex("01 2C");
        QTest::newRow("65541: cut to 16 bits") << qint64(65541) << hex("00 05");
        QTest::newRow("negative reads as 0") << qint64(-1) << hex("00 00");
    }
    void mouseCount()
    {
        QFETCH(qint64, count);
        QFETCH(QList<int>, bytes);
        QCOMPARE(mouseMacroImage({press(kA, 10)}, count), bytes + hex("01 04 00 00"));
    }

    void mouseWithoutStepsHasNoEndMarker()
    {
        QCOMPARE(mouseMacroImage({}, 1), hex("00 01"));
    }

    void mouseNeverOutgrowsItsSlot()
    {
        // Every record after the first is escaped (4 bytes): 2 + 2 + 46 * 4 = 188, + 2 = 190.
        const MacroSteps steps(100, press(kA, 1000));
        const QList<int> image = mouseMacroImage(steps, 1);
        QCOMPARE(image.size(), 190);
        QCOMPARE(image.mid(image.size() - 6), hex("7F 04 03 E8 00 00"));
        // Short records: 2 + 94 * 2 + 2 = 192 exactly.
        const QList<int> full = mouseMacroImage(MacroSteps(100, press(kA, 10)), 1);
        QCOMPARE(full.size(), 192);
        QCOMPARE(full.mid(188), hex("0A 04 00 00"));
    }

    // Action lines.
    void actionLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("isStep");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("isRelease");
        QTest::addColumn<qint64>("delay");
        QTest::newRow("press") << "0,A,0,10" << true << "A" << false << qint64(10);
        QTest::newRow("release") << "1,Space,1,250" << true << "Space" << true << qint64(250);
        QTest::newRow("mouse button") << "3,MS-L,1,7" << true << "MS-L" << true << qint64(7);
        QTest::newRow("type is not read") << "9,F1,0,3" << true << "F1" << false << qint64(3);
        QTest::newRow("comma key") << "0,,,1,40" << true << "," << true << qint64(40);
        QTest::newRow("empty key") << "0,,0,40" << true << "" << false << qint64(40);
        QTest::newRow("delay not a number") << "0,A,0,soon" << true << "A" << false << qint64(0);
        QTest::newRow("delay with trailing text") << "0,A,0,25ms" << true << "A" << false << qint64(25);
        QTest::newRow("negative delay") << "0,A,0,-25" << true << "A" << false << qint64(0);
        QTest::newRow("no delay") << "0,A,1" << true << "A" << true << qint64(0);
        QTest::newRow("no comma after the key") << "0,A" << false << "" << false << qint64(0);
        QTest::newRow("too short") << "0," << false << "" << false << qint64(0);
        QTest::newRow("empty") << "" << false << "" << false << qint64(0);
    }
    void actionLines()
    {
        QFETCH(QString, line);
        QFETCH(bool, isStep);
        const std::optional<ActionLine> parsed = parseActionLine(line);
        QCOMPARE(parsed.has_value(), isStep);
        if (!parsed)
            return;
        QTEST(parsed->key, "key");
        QTEST(parsed->release, "isRelease");
        QTEST(parsed->delayMs, "delay");
    }

    void leadingIntegerSaturates()
    {
        QCOMPARE(leadingInteger(u"99999999999999999999999"), std::numeric_limits<qint64>::max());
        QCOMPARE(leadingInteger(u" +42x"), qint64(42));
        QCOMPARE(leadingInteger(u"-"), qint64(0));
    }

    // Steps from UI values.
    void stepsFromNamesAndObjects()
    {
        const MacroSteps steps = stepsFromUi({QStringLiteral("0,A,0,10"), QStringLiteral("0,NoSuchKey,1,20"),
                                              QVariantMap{{"key", "MS-R"}, {"action", 1}, {"delay", 30}},
                                              QVariantMap{{"key", 0x2C}, {"action", true}, {"delay", "40"}},
                                              QVariant(), QVariantMap{{"action", 1}}, QStringLiteral("broken")});
        QCOMPARE(steps.size(), 4);
        const QList<QList<qint64>> seen = [&] {
            QList<QList<qint64>> rows;
            for (const MacroStep &s : steps)
                rows << QList<qint64>{s.usage, s.release, s.delayMs};
            return rows;
        }();
        QCOMPARE(seen, (QList<QList<qint64>>{{0x04, 0, 10}, {0x33, 1, 20}, {0xF1, 1, 30}, {0x2C, 1, 40}}));
    }

    void stepsFromTranslatedNames()
    {
        // Position 0 of the table is usage 0x04; a list that renames it knows no "A".
        const QStringList names{QStringLiteral("Eins")};
        const MacroSteps steps = stepsFromUi({QStringLiteral("0,Eins,0,10"), QStringLiteral("0,A,0,10")}, names);
        QCOMPARE(steps.size(), 2);
        QCOMPARE(steps[0].usage, 0x04);
        QCOMPARE(steps[1].usage, 0x33);
    }

    // Conversion of image entries to bytes.
    void imageBytes_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("unsignedByte");
        QTest::addColumn<int>("signedByte");
        QTest::newRow("7") << QVariant(7) << 7 << 7;
        QTest::newRow("300") << QVariant(300) << 0x2C << 0x2C;
        QTest::newRow("-1") << QVariant(-1) << 0xFF << 0xFF;
        QTest::newRow("-200") << QVariant(-200) << 0x38 << 0x38;
        QTest::newRow("text 12") << QVariant(QStringLiteral("12")) << 12 << 12;
        QTest::newRow("text -1: no unsigned number") << QVariant(QStringLiteral("-1")) << 0 << 0xFF;
        QTest::newRow("text not a number") << QVariant(QStringLiteral("x")) << 0 << 0;
        QTest::newRow("3.6 rounds") << QVariant(3.6) << 4 << 4;
        QTest::newRow("NaN") << QVariant(std::numeric_limits<double>::quiet_NaN()) << 0 << 0;
        QTest::newRow("infinity") << QVariant(std::numeric_limits<double>::infinity()) << 0 << 0;
        QTest::newRow("1e300") << QVariant(1e300) << 0 << 0;
        QTest::newRow("null") << QVariant() << 0 << 0;
        QTest::newRow("list") << QVariant(QVariantList{1}) << 0 << 0;
    }
    void imageBytes()
    {
        QFETCH(QVariant, value);
        QFETCH(int, unsignedByte);
        QFETCH(int, signedByte);
        QCOMPARE(int(imageByte(value, ByteConversion::Unsigned)), unsignedByte);
        QCOMPARE(int(imageByte(value, ByteConversion::Signed)), signedByte);
    }

    void imageBufferIsZeroedAndBounded()
    {
        QVariantList image;
        for (int i = 0; i < 200; ++i)
            image << i + 1;
        const QByteArray buffer = imageBuffer(image, 192, ByteConversion::Signed);
        QCOMPARE(buffer.size(), 192);
        QCOMPARE(quint8(buffer.at(0)), quint8(1));
        QCOMPARE(quint8(buffer.at(191)), quint8(192));

        const QByteArray shortOne = imageBuffer({5, 6}, 512, ByteConversion::Unsigned);
        QCOMPARE(shortOne.size(), 512);
        QCOMPARE(shortOne.left(3), QByteArray("\x05\x06\x00", 3));
        QCOMPARE(shortOne.count('\0'), 510);
    }
};

QTEST_GUILESS_MAIN(TestMacroImages)
#include "tst_macro_images.moc"
