// The keyboard and mouse controls of the bridge, byte-exact on the wire
// against virtual devices, and the pointer, opener and updater seams.
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"
#include "device/virtual/mouse_model.h"
#include "device/virtual/virtual_backend.h"
#include "device/virtual/virtual_environment.h"
#include "keys/key_matrix.h"
#include "platform/desktop_opener.h"
#include "platform/pointer_settings.h"
#include "platform/updater_start.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"
#include "support/wire_trace.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The shipped table; the devices of the listed entries are in place.
struct ControlRig
{
    explicit ControlRig(const QList<int> &entries = {0}, const QString &icType = QStringLiteral("553"))
    {
        QSettings(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat)
            .setValue(QStringLiteral("mouse/icType"), icType);
        trace = std::make_unique<WireTrace>(workspace.path());
        hid = &installVirtualBackend();
        view = std::make_unique<myQQuickView>();
        view->device = &device;
        for (int index : entries)
            addVirtualDevicesForEntry(*hid, device.devices(), index);
        device.detectDevices();
        // The mouse-side indices reach stand-ins of their own, told apart by path.
        for (int index : {1, 2, 4, 5}) {
            const QByteArray path = "stand-in:" + QByteArray::number(index);
            hid->add(std::make_shared<VirtualDevice>(VirtualDevice::Identity{path, 0, 0, 0, 0}, std::make_unique<EchoModel>(),
                                                     device.devices()[index].isEncode));
            device.setDevicePath(index, QString::fromLatin1(path));
        }
    }

    // Mice with their own state in place of the stand-ins of index 1 and of
    // index 0 (the 560 profile commands go there).
    void useMice()
    {
        for (int index : {0, 1}) {
            const QByteArray path = "mouse:" + QByteArray::number(index);
            hid->add(std::make_shared<VirtualDevice>(VirtualDevice::Identity{path, 0, 0, 0, 0},
                                                     std::make_unique<MouseModel>(64)));
            device.setDevicePath(index, QString::fromLatin1(path));
        }
    }

    // Redetects with only the given entries present.
    void connectOnly(const QList<int> &entries)
    {
        for (int i = 0; i < 5; ++i)
            hid->remove("virtual:" + QByteArray::number(i));
        for (int index : entries)
            addVirtualDevicesForEntry(*hid, device.devices(), index);
        device.detectDevices();
    }

    // Command reports as the device read them (descrambled where its entry
    // scrambles); without a path, every command report on the wire.
    QStringList reports(const QString &path = QString()) const
    {
        QStringList lines;
        if (!path.isEmpty()) {
            for (const VirtualDevice::Record &record : hid->find(path.toLatin1())->records())
                if (record.direction == VirtualDevice::Direction::FeatureOut)
                    lines << QString::fromLatin1(record.plain.toHex(' '));
            return lines;
        }
        for (const TraceLine &line : trace->read(QStringLiteral("FEATURE_OUT")))
            if (path.isEmpty() || line.path == path)
                lines << line.rest;
        return lines;
    }
    // The data block of the last command: the output reports after the last command report.
    QByteArray lastBlock() const
    {
        QByteArray data;
        for (const TraceLine &line : trace->read()) {
            if (line.op == QLatin1String("FEATURE_OUT"))
                data.clear();
            else if (line.op == QLatin1String("OUTPUT"))
                data += line.bytes.mid(1);
        }
        return data;
    }

    TestWorkspace workspace;
    std::unique_ptr<WireTrace> trace;
    VirtualHidBackend *hid = nullptr;
    Hid_Thread device;
    std::unique_ptr<myQQuickView> view;
};

// The slot of the 128 four-byte slots of the key matrix where the keyboard
// expects each named key, written from its layout (six rows of 21 slots,
// LCtrl's row first): key name, slot.
const QList<QPair<QString, int>> kNamedKeySlots = {
    {"Esc", 105}, {"`", 84}, {"Tab", 63}, {"Caps", 42}, {"LShift", 21}, {"LCtrl", 0},
    {"1", 85}, {"Q", 64}, {"A", 43}, {"|\\", 35}, {"LWin", 1},
    {"F1", 107}, {"2", 86}, {"W", 65}, {"S", 44}, {"Z", 22}, {"LAlt", 2},
    {"F2", 108}, {"3", 87}, {"E", 66}, {"D", 45}, {"X", 23},
    {"F3", 109}, {"4", 88}, {"R", 67}, {"F", 46}, {"C", 24},
    {"F4", 110}, {"5", 89}, {"T", 68}, {"G", 47}, {"V", 25},
    {"F5", 111}, {"6", 90}, {"Y", 69}, {"H", 48}, {"B", 26}, {"Space", 5},
    {"F6", 112}, {"7", 91}, {"U", 70}, {"J", 49}, {"N", 27},
    {"F7", 113}, {"8", 92}, {"I", 71}, {"K", 50}, {"M", 28},
    {"F8", 114}, {"9", 93}, {"O", 72}, {"L", 51}, {",", 29},
    {"F9", 115}, {"0", 94}, {"P", 73}, {";", 52}, {".", 30}, {"RAlt", 9},
    {"F10", 116}, {"-", 95}, {"[", 74}, {"'", 53}, {"/", 31}, {"Fn", 10},
    {"F11", 117}, {"=", 96}, {"]", 75}, {"App", 11},
    {"F12", 118}, {"Back", 97}, {"\\", 54}, {"Enter", 55}, {"RShift", 33}, {"RCtrl", 13},
    {"Prt", 119}, {"Ins", 98}, {"Del", 77}, {"\u25C4", 14},
    {"Scr", 120}, {"Hom", 99}, {"End", 78}, {"\u25B2", 36}, {"\u25BC", 15},
    {"Pau", 121}, {"Pgu", 100}, {"PgD", 79}, {"\u25BA", 16},
    {"Num", 101}, {"KP7", 80}, {"KP4", 59}, {"KP1", 38}, {"KP0", 17},
    {"KPDIV", 102}, {"KP8", 81}, {"KP5", 60}, {"KP2", 39},
    {"KPMUL", 103}, {"KP9", 82}, {"KP6", 61}, {"KP3", 40}, {"KP.", 19},
    {"KPSUB", 104}, {"KPPLUS", 83}, {"KPEnter", 41},
};

QByteArray fourBytes(int b0, int b1, int b2, int b3)
{
    const char bytes[] = {char(b0), char(b1), char(b2), char(b3)};
    return QByteArray(bytes, 4);
}

QVariantList keyMatrixWith(int uiKey, QList<int> values)
{
    QVariantList src(504, 0);
    for (int j = 0; j < 4; ++j)
        src[4 * uiKey + j] = values[j];
    return src;
}

class RecordingPointer : public PointerSettings
{
public:
    QStringList calls;
    bool succeed = true;
    bool setCursorSpeed(int speed) override { return record(QStringLiteral("speed %1").arg(speed)); }
    bool setWheelScrollLines(unsigned lines) override { return record(QStringLiteral("lines %1").arg(lines)); }
    bool setDoubleClickTime(int ms) override { return record(QStringLiteral("double-click %1").arg(ms)); }

private:
    bool record(const QString &call)
    {
        calls << call;
        return succeed;
    }
};

class RecordingOpener : public DesktopOpener
{
public:
    QStringList opened;
    bool open(const QString &path) override
    {
        opened << path;
        return true;
    }
};

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

private slots:
    void key80FollowsTheEdition_data()
    {
        QTest::addColumn<QList<int>>("entries");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("offset");
        QTest::newRow("only entry 2: state 4") << QList<int>{2} << 4 << 304;
        QTest::newRow("only entry 3: state 8") << QList<int>{3} << 8 << 304;
        QTest::newRow("entry 0: state 1") << QList<int>{0} << 1 << 216;
        QTest::newRow("entries 2 and 3: state 12") << QList<int>{2, 3} << 12 << 216;
    }
    void key80FollowsTheEdition()
    {
        QFETCH(QList<int>, entries);
        QFETCH(int, state);
        QFETCH(int, offset);
        ControlRig rig(entries);
        QCOMPARE(int(rig.device.connectionState()), state);
        rig.view->keyboardSetKeyMatrix(keyMatrixWith(80, {0x11, 0x22, 0x33, 0x44}), 1);
        const QByteArray block = rig.lastBlock();
        QCOMPARE(block.size(), 512);
        QCOMPARE(block.mid(offset, 4).toHex(), QByteArray("11223344"));
        QCOMPARE(rig.reports().last(), QStringLiteral("00 08 00 00 08 00 00 00 00"));
    }

    // Every set of the editions 0 to 3 (states 1 to 15): "\\" (slot 54) sits
    // at slot 76 in states 4 and 8 only.
    void key80MovesOnlyInStatesFourAndEight()
    {
        ControlRig rig;
        for (int state = 1; state < 16; ++state) {
            QList<int> entries;
            for (int entry = 0; entry < 4; ++entry)
                if (state & (1 << entry))
                    entries << entry;
            rig.connectOnly(entries);
            QCOMPARE(int(rig.device.connectionState()), state);
            rig.view->keyboardSetKeyMatrix(keyMatrixWith(80, {state, 0xA5, state, 0x5A}), 1);
            const int slot = state == 4 || state == 8 ? 76 : 54;
            const QByteArray block = rig.lastBlock();
            QVERIFY2(block.mid(4 * slot, 4) == fourBytes(state, 0xA5, state, 0x5A), qPrintable(QString::number(state)));
            QVERIFY2(block.mid(4 * (54 + 76 - slot), 4) != fourBytes(state, 0xA5, state, 0x5A), qPrintable(QString::number(state)));
        }
    }

    // Each named key's four values land in its own slot, where the keyboard expects it.
    void everyNamedKeyHasItsOwnSlot()
    {
        ControlRig rig;
        QVariantList src;
        for (int key = 0; key < kKeyMatrixSize; ++key)
            src << key << 0xA5 << 255 - key << 0x5A;
        rig.view->keyboardSetKeyMatrix(src, 1);
        const QByteArray block = rig.lastBlock();
        QSet<int> taken;
        for (const auto &[name, slot] : kNamedKeySlots) {
            int key = 0;
            while (key < kKeyMatrixSize && keyMatrixName(key) != name)
                ++key;
            QVERIFY2(key < kKeyMatrixSize, qPrintable(name));
            QVERIFY2(block.mid(4 * slot, 4) == fourBytes(key, 0xA5, 255 - key, 0x5A), qPrintable(name));
            taken.insert(slot);
        }
        QCOMPARE(taken.size(), kNamedKeySlots.size());
        int named = 0;
        for (int key = 0; key < kKeyMatrixSize; ++key)
            named += !keyMatrixName(key).isEmpty();
        QCOMPARE(named, int(kNamedKeySlots.size()));
    }

    void keyMatrixBufferKeepsUnwrittenPositions()
    {
        ControlRig rig({2});
        rig.view->keyboardSetKeyMatrix(keyMatrixWith(80, {1, 2, 3, 4}), 0);
        QVERIFY(rig.reports().isEmpty());  // not sent

        rig.connectOnly({0});
        rig.view->keyboardSetKeyMatrix(keyMatrixWith(80, {5, 6, 7, 8}), 1);
        const QByteArray block = rig.lastBlock();
        QCOMPARE(block.mid(304, 4).toHex(), QByteArray("01020304"));  // position 76 from the earlier call
        QCOMPARE(block.mid(216, 4).toHex(), QByteArray("05060708"));
    }

    void sharedPositionTakesTheLaterKey()
    {
        ControlRig rig;
        QVariantList src(504, 0);
        for (int j = 0; j < 4; ++j) {
            src[4 * 29 + j] = 0xA0 + j;
            src[4 * 35 + j] = 0xB0 + j;
            src[4 * 0 + j] = 0x100 + j;  // cut to the low byte
        }
        rig.view->keyboardSetKeyMatrix(src, 1);
        const QByteArray block = rig.lastBlock();
        QCOMPARE(block.mid(16, 4).toHex(), QByteArray("b0b1b2b3"));
        QCOMPARE(block.mid(420, 4).toHex(), QByteArray("00010203"));  // UI key 0 sits at position 105
    }

    void shortKeyListReadsAsZeros()
    {
        ControlRig rig;
        rig.view->keyboardSetKeyMatrix(keyMatrixWith(1, {7, 7, 7, 7}), 0);
        rig.view->keyboardSetKeyMatrix({9, 9, 9, 9}, 1);
        const QByteArray block = rig.lastBlock();
        QCOMPARE(block.mid(420, 4).toHex(), QByteArray("09090909"));
        QCOMPARE(block.mid(336, 4).toHex(), QByteArray("00000000"));  // UI key 1 (position 84) cleared
    }

    void lightingConversions_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("report");
        // 00 06 00 mode speed brightness 00 direction(1) CS
        QTest::newRow("effect 13 is mode 51") << 13 << 217 << 0 << "00 06 00 33 04 fe 00 01 c3";
        QTest::newRow("effect 18 passes") << 18 << 218 << 54 << "00 06 00 12 03 ff 00 01 e4";
        QTest::newRow("effect 2, brightness 108, speed 55") << 2 << 108 << 55 << "00 06 00 02 02 7e 00 01 76";
        QTest::newRow("effect 7 is mode 9, speed 218") << 7 << 0 << 218 << "00 06 00 09 00 00 00 01 ef";
        // The rest of the effect table, brightness 0 and speed 0 (sent as 4); the bytes sum to 0xff.
        for (const auto &[effect, mode] : QList<QPair<int, int>>{{0, 0}, {1, 1}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {8, 10},
                                                                 {9, 13}, {10, 14}, {11, 15}, {12, 16}, {14, 52}, {15, 53},
                                                                 {16, 54}, {17, 55}, {19, 19}, {200, 200}})
            QTest::addRow("effect %d is mode %d", effect, mode)
                << effect << 0 << 0 << QString::asprintf("00 06 00 %02x 04 00 00 01 %02x", mode, (0xf4 - mode) & 0xff);
    }
    void lightingConversions()
    {
        QFETCH(int, effect);
        QFETCH(int, brightness);
        QFETCH(int, speed);
        QFETCH(QString, report);
        ControlRig rig;
        rig.view->keyboardSetRGBEffect(uchar(effect), uchar(brightness), uchar(speed), 1, 1, 9, 9, 9, 1);
        QCOMPARE(rig.reports(), QStringList{report});
    }

    void pictureAndStageColours()
    {
        ControlRig rig;
        QCOMPARE(rig.view->keyboardSetPicture(2, {0, 1, 5}), QVariant(true));
        QCOMPARE(rig.reports().last(), QStringLiteral("00 0b 00 02 02 00 00 00 00"));
        QCOMPARE(rig.lastBlock(), QByteArray::fromHex("00ffff") + QByteArray(125, '\0'));

        rig.view->keyboardSetRGBColor(1, 7, 7, 7);
        const QByteArray defaults = QByteArray::fromHex("ff0000 00ff00 ffff00 0000ff 00ffff ff00ff ffffff ffffff");
        QCOMPARE(rig.lastBlock().left(24), defaults);
        rig.view->keyboardSetRGBColor(0, 1, 2, 3);
        QCOMPARE(rig.lastBlock().left(24), QByteArray::fromHex("010203") + defaults.mid(3));
        QCOMPARE(rig.reports().last(), QStringLiteral("00 30 00 00 00 00 55 aa d0"));
    }

    // The stand-in updaters wait for the view to be gone, then note the folder
    // they run in and the language they were given: a flash must outlive the
    // program's quit. dusken is installed as the table names it, sovrinUS the
    // Linux way, without ".exe"; tarnelUS is missing, which the user is told.
    void updaterOutlivesTheViewInItsOwnFolder()
    {
        ControlRig rig;
        rig.view->setGlobalData(QStringLiteral("common/language"), QStringLiteral("English"));
        QDir().mkpath(QStringLiteral("update"));
        const QString folder = QDir(QStringLiteral("update")).canonicalPath();
        const QString viewGone = rig.workspace.path() + QStringLiteral("/view-gone");
        for (const QString &name : {QStringLiteral("dusken.exe"), QStringLiteral("sovrinUS")}) {
            QFile script(QStringLiteral("update/") + name);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(("#!/bin/sh\nwhile [ ! -e '" + viewGone + "' ]; do sleep 0.05; done\n"
                          "echo \"$(pwd -P) $GEARCONSOLE_LANGUAGE $#\" > '" + rig.workspace.path() + "/ran-" + name + "'\n")
                             .toUtf8());
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }

        LogCapture log;
        QSignalSpy notStarted(&UpdaterStart::instance(), &UpdaterStart::notStarted);
        rig.view->openUpdateExe(7);
        rig.view->openUpdateExe(2);   // not installed
        QCOMPARE(log.count(QStringLiteral("could not be started")), 1);
        QCOMPARE(notStarted.count(), 1);
        QCOMPARE(notStarted[0][0].toString(), QStringLiteral("tarnelUS"));
        QVERIFY(notStarted[0][1].toString().startsWith(QStringLiteral("it is not installed in ")));
        rig.view->openUpdateExe(4);
        rig.view->openUpdateExe(3);
        QCOMPARE(notStarted.count(), 1);
        rig.view.reset();
        QVERIFY(QFile(viewGone).open(QIODevice::WriteOnly));
        const auto ranIn = [&](const QString &name) {
            QFile ran(rig.workspace.path() + "/ran-" + name);
            return ran.open(QIODevice::ReadOnly) ? QString::fromUtf8(ran.readAll()).trimmed() : QString();
        };
        QTRY_COMPARE(ranIn(QStringLiteral("dusken.exe")), folder + QStringLiteral(" English 0"));
        QTRY_COMPARE(ranIn(QStringLiteral("sovrinUS")), folder + QStringLiteral(" English 0"));
    }

    void dpiStages_data()
    {
        QTest::addColumn<int>("is3336");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("report08");
        QTest::addColumn<QString>("report07");
        QTest::addColumn<QString>("path");
        const QVariantList plain{400, 800, 1600, 3200, 4800, 6400, 7200, 250};
        QTest::newRow("plain mouse") << 0 << plain << "00 08 2f 3f 47 01 00 00 41" << "00 07 02 03 03 07 0f 1f bb"
                                     << "stand-in:1";
        const QVariantList high{QStringLiteral("800"), 7200, 8000, 7300, 100, 50, 400, 12800};
        // 800 -> 15, 7200 -> 143, 8000 -> 207, 7300 -> 200; 100 -> 1, 50 -> 0, 400 -> 7, 12800 -> 255
        QTest::newRow("3336 variant") << 1 << high << "00 08 01 00 07 ff 00 00 f0" << "00 07 02 03 0f 8f cf c8 be"
                                      << "stand-in:4";
    }
    void dpiStages()
    {
        QFETCH(int, is3336);
        QFETCH(QVariantList, values);
        QFETCH(QString, report08);
        QFETCH(QString, report07);
        QFETCH(QString, path);
        ControlRig rig;
        const QVariantList selected{true, QStringLiteral("true"), QStringLiteral("false"), false, false, false, false, false};
        rig.view->mouseSetDpi(2, selected, values, is3336);
        QCOMPARE(rig.reports(path), QStringList({report08, report07}));
    }

    void reportRateAndOptions()
    {
        ControlRig rig;
        rig.view->mouseSetReportRate(0, 0);
        rig.view->mouseSetReportRate(1, 3);
        QCOMPARE(rig.reports(QStringLiteral("stand-in:1")), QStringList{"00 01 08 03 03 0f 00 00 e1"});
        QCOMPARE(rig.reports(QStringLiteral("stand-in:4")), QStringList{"00 01 01 03 03 0f 00 00 e8"});
        rig.view->mouseSetKeyboardoption(1, 2, 3, 4);
        QCOMPARE(rig.reports(QStringLiteral("stand-in:1")).last(), QStringLiteral("00 03 01 02 03 04 00 00 f2"));
        QCOMPARE(rig.view->GetKeyboardoption(), QVariantList({0, 0, 0, 0}));  // the echo device answers zeros
        QCOMPARE(rig.reports(QStringLiteral("virtual:0")).last(), QStringLiteral("00 83 00 00 00 00 00 00 7c"));
    }

    void emptyButtonBlockKeepsItsFixedEntries()
    {
        ControlRig rig;
        rig.view->mouseSetKeyMatrix(0, {});
        QByteArray block = rig.lastBlock();
        QCOMPARE(block.size(), 64);
        QCOMPARE(block.mid(32, 4).toHex(' '), QByteArray("00 00 01 0b"));
        QCOMPARE(block.mid(56, 8).toHex(' '), QByteArray("00 01 01 05 00 01 02 05"));
        QCOMPARE(rig.reports(QStringLiteral("stand-in:1")), QStringList{"00 03 00 00 01 00 00 00 fb"});

        QVariantList src;
        for (int i = 0; i < 70; ++i)
            src << i + 1;
        rig.view->mouseSetKeyMatrix(1, src);
        block = rig.lastBlock();
        QCOMPARE(block.left(4).toHex(' '), QByteArray("04 03 02 01"));
        QCOMPARE(block.mid(32, 4).toHex(' '), QByteArray("00 00 01 0b"));
        QCOMPARE(block.mid(60, 4).toHex(' '), QByteArray("40 3f 3e 3d"));
    }

    void familyFollowsIcType_data()
    {
        QTest::addColumn<QString>("icType");
        QTest::addColumn<QString>("switchReport");
        QTest::addColumn<QString>("stageReport");
        QTest::newRow("553") << "553" << "00 02 01 00 00 00 00 00 fc" << "00 0b 03 00 00 00 00 00 f1";
        QTest::newRow("560") << "560" << "00 02 02 00 00 00 00 00 fb" << "00 04 01 03 00 00 00 00 f7";
    }
    void familyFollowsIcType()
    {
        QFETCH(QString, icType);
        QFETCH(QString, switchReport);
        QFETCH(QString, stageReport);
        ControlRig rig({0}, icType);
        rig.view->mouseSwitchKeyMatrix(2);
        QCOMPARE(rig.reports(QStringLiteral("virtual:0")), QStringList{switchReport});
        rig.view->mouseSetCurrentDPI(3);
        QCOMPARE(rig.reports(QStringLiteral("stand-in:1")).first(), stageReport);
    }

    // lightEffect, lightBrightness, lightSpeed, lightColorful, lightDirection,
    // red, green, blue as the UI passes them; the report each device receives.
    void mousepadAndAccessoryConversions_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("report");
        const auto row = [](const char *path) {
            return [path](const char *name, const QList<int> &values, const char *report) {
                QTest::newRow(name) << values << path << report;
            };
        };
        // 00 08 mode brightness speed X red green blue; X is the direction in mode 3, else colour 7 x 16 or 0.
        const auto pad = row("stand-in:2");
        pad("mousepad: effect 3 is mode 1", {3, 218, 109, 1, 2, 10, 20, 30}, "00 08 01 32 02 70 0a 14 1e");
        pad("mousepad: effect 1 is mode 3, direction", {1, 218, 218, 1, 2, 10, 20, 30}, "00 08 03 32 05 02 0a 14 1e");
        pad("mousepad: effect 0 stays, 109 and 44", {0, 109, 44, 0, 1, 1, 2, 3}, "00 08 00 19 01 00 01 02 03");
        pad("mousepad: effect 2 stays, 5 and 43", {2, 5, 43, 1, 0, 0, 0, 0}, "00 08 02 01 00 70 00 00 00");
        pad("mousepad: effect 4 stays", {4, 0, 0, 0, 3, 255, 255, 255}, "00 08 04 00 00 00 ff ff ff");
        // 00 01 mode speed brightness red green blue CS; both levels count downwards from 4.
        const auto accessory = row("stand-in:5");
        accessory("accessory: effect 0 is mode 1", {0, 0, 218, 0, 0, 1, 2, 3}, "00 01 01 00 04 01 02 03 f3");
        accessory("accessory: effect 1 is mode 4", {1, 218, 0, 1, 1, 10, 20, 30}, "00 01 04 04 00 0a 14 1e ba");
        accessory("accessory: effect 3 is mode 2, 109 is 2", {3, 109, 109, 0, 0, 0, 0, 0}, "00 01 02 02 02 00 00 00 f8");
        accessory("accessory: effect 2 is mode 3, 54 and 55", {2, 54, 55, 0, 0, 0, 0, 0}, "00 01 03 02 03 00 00 00 f6");
        accessory("accessory: effect 17 is mode 18, 1 and 217", {17, 1, 217, 0, 0, 0, 0, 0}, "00 01 12 00 03 00 00 00 e9");
    }
    void mousepadAndAccessoryConversions()
    {
        QFETCH(QList<int>, values);
        QFETCH(QString, path);
        QFETCH(QString, report);
        ControlRig rig;
        QList<uchar> v;
        for (int value : values)
            v << uchar(value);
        if (path == QLatin1String("stand-in:2"))
            rig.view->mousePadSetRGBEffect(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        else
            rig.view->supportSetRGBEffect(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        QCOMPARE(rig.reports(path), QStringList{report});
        QCOMPARE(rig.reports().size(), 1);  // to that device only
    }

    void mouseStageColours()
    {
        ControlRig rig;
        rig.view->mouseSetRGBColor(1, 1, 0, 0, 0);
        QCOMPARE(rig.lastBlock().left(24),
                 QByteArray::fromHex("ff0000 0000ff 00ff00 ffff00 ff00ff 00ffff ff8000 ffffff"));
    }

    // The readings come from their own devices: the stage from the mouse
    // (index 1), the profile from index 0; a busy transport gives the
    // starting values.
    void mouseReadingsComeFromTheirDevices_data()
    {
        QTest::addColumn<QString>("icType");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("profile");
        QTest::addColumn<QStringList>("requests");
        // 560: 84 with byte 2 starting at 1, the stage comes back in byte 3.
        QTest::newRow("560") << "560" << false << 3 << 4
                             << QStringList{"00 84 01 00 00 00 00 00 7a", "00 82 00 00 00 00 00 00 7d"};
        QTest::newRow("553") << "553" << false << 5 << 4
                             << QStringList{"00 8b 00 00 00 00 00 00 74", "00 82 00 00 00 00 00 00 7d"};
        QTest::newRow("560, busy") << "560" << true << 0 << 0 << QStringList{};
        QTest::newRow("553, busy") << "553" << true << 0 << 0 << QStringList{};
    }
    void mouseReadingsComeFromTheirDevices()
    {
        QFETCH(QString, icType);
        QFETCH(bool, busy);
        QFETCH(int, dpi);
        QFETCH(int, profile);
        QFETCH(QStringList, requests);
        ControlRig rig({}, icType);
        rig.useMice();
        rig.device.hid560_02H_SetCurrentProfile(0, 4);
        rig.view->mouseSetCurrentDPI(icType == QLatin1String("560") ? 3 : 5);
        const int sentBefore = int(rig.reports().size());
        if (busy) {
            QVERIFY(rig.device.waitHidIdle());
            QTest::ignoreMessage(QtDebugMsg, icType == QLatin1String("560") ? "cmd Failed 84" : "cmd Failed 8BH");
            QTest::ignoreMessage(QtDebugMsg, "cmd Failed 82");
        }
        QCOMPARE(rig.view->mouseGetCurrentDPI(), QVariant(dpi));
        QCOMPARE(rig.view->mouseReadCurrentProfile(), QVariant(profile));
        QCOMPARE(rig.reports().mid(sentBefore), requests);
    }

    void mouseEffectIsOnlyStaged()
    {
        ControlRig rig;
        rig.view->mouseSetRGBEffect(0, 5, 6, 7, 1, 8, 1, 2, 3);
        QVERIFY(rig.reports().isEmpty());
        const QByteArray staged = rig.view->mouseLightingStaging();
        QCOMPARE(staged.size(), 1538);
        QCOMPARE(int(staged[0]), 6);
        QCOMPARE(int(staged[1025]), 4);
        QCOMPARE(staged.mid(449, 4).toHex(' '), QByteArray("05 08 06 07"));
    }

    void profileNumbersOutsideTheImagesDoNothing()
    {
        ControlRig rig;
        rig.view->mouseSetProfile(5);
        rig.view->mouseReadProfile(9);
        QVERIFY(rig.reports().isEmpty());
        rig.view->mouseSetProfile(4);
        QCOMPARE(rig.reports(), QStringList{"00 0c 04 80 00 00 00 00 6f"});
    }

    void pointerSettingsReachTheSeam()
    {
        ControlRig rig;
        auto pointer = std::make_unique<RecordingPointer>();
        RecordingPointer *recorded = pointer.get();
        PointerSettings::install(std::move(pointer));
        rig.view->mouseSetCursorSpeed(0);
        rig.view->mouseSetCursorSpeed(10);
        rig.view->mouseSetDoubleClickSpeed(10);
        rig.view->mouseSetDoubleClickSpeed(0);
        rig.view->mouseSetDoubleClickSpeed(200);
        rig.view->mouseSetVerticalScrollLines(3);
        QCOMPARE(recorded->calls, QStringList({"speed 1", "speed 20", "double-click 200", "double-click 900",
                                               "double-click 60", "lines 3"}));
        recorded->succeed = false;
        LogCapture log;
        rig.view->mouseSetCursorSpeed(4);
        rig.view->mouseSetDoubleClickSpeed(4);
        rig.view->mouseSetVerticalScrollLines(4);
        QCOMPARE(log.count(QStringLiteral("mouseSetCursorSpeed 4")), 1);
        QCOMPARE(log.count(QStringLiteral("setCursorSpeed Failed")), 1);
        QCOMPARE(log.count(QStringLiteral("setDoubleClickSpeed Failed")), 1);
        QCOMPARE(log.count(QStringLiteral("setVerticalScrollLines Failed")), 1);
        PointerSettings::install(nullptr);
    }

    void advancedFunctionOpensTheStoredPath()
    {
        ControlRig rig;
        auto opener = std::make_unique<RecordingOpener>();
        RecordingOpener *recorded = opener.get();
        DesktopOpener::install(std::move(opener));
        rig.view->setGlobalData(QStringLiteral("keyboard/advaceFunction3"), QStringLiteral("Music/Songs/a.mp3"));
        rig.view->setGlobalData(QStringLiteral("keyboard/advaceFunction5"), QStringLiteral("/home/me/b.mp3"));
        rig.view->keyboardAdvaceFunctionProc(3);
        rig.view->keyboardAdvaceFunctionProc(4);  // nothing stored: nothing opened
        rig.view->keyboardAdvaceFunctionProc(5);
        // A relative path is resolved against the data folder, the working directory.
        QCOMPARE(recorded->opened, (QStringList{QDir::current().filePath(QStringLiteral("Music/Songs/a.mp3")),
                                                QStringLiteral("/home/me/b.mp3")}));
        DesktopOpener::install(nullptr);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
