// The settings stores and the profile files, through the real files.
#include "bridge/file_dialogs.h"
#include "bridge/myqquickview.h"
#include "device/device_table.h"
#include "device/hid_thread.h"
#include "macros/gun_presets.h"
#include "platform/save_failures.h"
#include "platform/settings_writer.h"
#include "platform/store_files.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Answers the dialogs with a prepared path (empty: cancelled) and records them.
class ScriptedDialogs : public FileDialogs
{
public:
    QString answer;
    QStringList asked;
    QString directory;
    QString openFileName(QWidget *, const QString &title, const QString &folder, const QString &filter) override
    {
        asked << title + QLatin1Char('|') + filter;
        directory = folder;
        return answer;
    }
    QString saveFileName(QWidget *, const QString &title, const QString &folder, const QString &filter) override
    {
        asked << title + QLatin1Char('|') + filter;
        directory = folder;
        return answer;
    }
};

QByteArray contents(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeStoreBytes(const QString &file, const QByteArray &bytes)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file));
}

QString profileFile(int number) { return QStringLiteral("./modules/setting/p%1.bin").arg(number); }

void writeStoreFile(const QString &file, const QMap<QString, QVariant> &values)
{
    QFile::remove(file);
    QSettings store(file, QSettings::IniFormat);
    for (auto it = values.begin(); it != values.end(); ++it)
        store.setValue(it.key(), it.value());
}

struct StoreRig
{
    StoreRig()
    {
        writeStoreFile(QStringLiteral("./modules/setting/pD.bin"),
                       {{"keyboard/lightValue", QStringList{"0", "218", "2", "255", "255", "255", "0", "0"}},
                        {"keyboardKeyMatrix/5", QStringList{"2", "Esc"}},
                        {"mouseKeyMatrix/2", QStringList{"9", "D"}},
                        {"XYSensitive/1", 6}});
        for (int n = 1; n <= 10; ++n)
            writeStoreFile(profileFile(n), {{"profile/marker", n},
                                            {"keyboardKeyMatrix/5", QStringList{"2", "F" + QString::number(n)}},
                                            {"mouseKeyMatrix/2", QStringList{QString::number(n), "B"}}});
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        FileDialogs::install(std::move(scripted));
        view = std::make_unique<myQQuickView>();
        view->device = &device;
    }
    ~StoreRig() { FileDialogs::install(nullptr); }

    TestWorkspace workspace;
    Hid_Thread device;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<myQQuickView> view;
};

} // namespace

class TestStores : public QObject
{
    Q_OBJECT

private slots:
    void listsComeBackAsStrings()
    {
        StoreRig rig;
        rig.view->setCurrentProfile(4);
        rig.view->setDataList(QStringLiteral("keyboard/lightValue"), {0, 218, 2, 255, 255, 255, 0, 0});
        rig.view->setData(QStringLiteral("keyboard/single"), 17);
        const QVariantList expected{"0", "218", "2", "255", "255", "255", "0", "0"};
        QCOMPARE(rig.view->getDataList(QStringLiteral("keyboard/lightValue"), false), expected);
        QCOMPARE(rig.view->getData(QStringLiteral("keyboard/single"), false), QVariant(QStringLiteral("17")));

        // Through the file: a fresh reader sees the same.
        rig.view.reset();
        QSettings p5(profileFile(5), QSettings::IniFormat);
        QCOMPARE(p5.value(QStringLiteral("keyboard/lightValue")).toStringList().size(), 8);
    }

    // The mouse's keys and sensitivity follow the current profile; isRecovery
    // reads the factory values whatever profile is current.
    void missingKeysAndDefaults_data()
    {
        QTest::addColumn<int>("profile");
        for (int profile : {0, 4, 9})
            QTest::addRow("profile %d", profile) << profile;
    }
    void missingKeysAndDefaults()
    {
        QFETCH(int, profile);
        StoreRig rig;
        rig.view->setCurrentProfile(profile);
        QVERIFY(!rig.view->getData(QStringLiteral("nothing/here"), false).isValid());
        QVERIFY(rig.view->getDataList(QStringLiteral("nothing/here"), true).isEmpty());
        QVERIFY(!rig.view->getGlobalData(QStringLiteral("nothing/here")).isValid());
        QCOMPARE(rig.view->getXYSensitive(0).toInt(), 4);
        rig.view->setXYSensitive(0, 9);
        QCOMPARE(rig.view->getXYSensitive(0).toInt(), 9);
        QVERIFY(rig.view->mouseGetKeydefine(3, false).isEmpty());
        QCOMPARE(rig.view->mouseGetKeydefine(2, false), (QVariantList{QString::number(profile + 1), "B"}));
        QCOMPARE(rig.view->mouseGetKeydefine(2, true), (QVariantList{"9", "D"}));
        QCOMPARE(rig.view->getData(QStringLiteral("XYSensitive/1"), true).toInt(), 6);

        // The value went to this profile's file, and no other profile has it.
        rig.view->setCurrentProfile(profile == 0 ? 1 : 0);
        QCOMPARE(rig.view->getXYSensitive(0).toInt(), 4);
        rig.view.reset();
        QCOMPARE(QSettings(profileFile(profile + 1), QSettings::IniFormat).value(QStringLiteral("XYSensitive/0")).toInt(), 9);
    }

    // A plain value is no list: it reads as an empty list, with one log line,
    // never as its characters.
    void plainValuesAreNoLists()
    {
        StoreRig rig;
        rig.view->setData(QStringLiteral("keyboardKeyMatrix/7"), QStringLiteral("hello"));
        rig.view->setData(QStringLiteral("keyboardKeyMatrix/8"), QStringLiteral("2A"));
        rig.view->setData(QStringLiteral("mouseKeyMatrix/2"), QStringLiteral("15"));
        rig.view->setDataList(QStringLiteral("mouseKeyMatrix/3"), {1, 5});
        LogCapture log;
        QVERIFY(rig.view->getDataList(QStringLiteral("keyboardKeyMatrix/7"), false).isEmpty());
        QVERIFY(rig.view->getDataList(QStringLiteral("keyboardKeyMatrix/8"), false).isEmpty());
        QVERIFY(rig.view->mouseGetKeydefine(2, false).isEmpty());
        QCOMPARE(rig.view->mouseGetKeydefine(3, false), (QVariantList{"1", "5"}));
        QCOMPARE(rig.view->getDataList(QStringLiteral("keyboardKeyMatrix/5"), true), (QVariantList{"2", "Esc"}));
        QCOMPARE(log.count(QStringLiteral("holds no list")), 3);
    }

    void profileSwitchesTheStore()
    {
        StoreRig rig;
        rig.view->setCurrentProfile(6);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 7);
        rig.view->setCurrentProfile(10);  // no such profile: stays on 6
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 7);
        rig.view->setCurrentProfile(-1);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 7);
    }

    void globalStore()
    {
        StoreRig rig;
        QCOMPARE(rig.view->getGlobalData(QStringLiteral("common/deviceCount")).toInt(), 6);
        rig.view->setGlobalData(QStringLiteral("keyboard/profileNo"), 3);
        QCOMPARE(rig.view->getGlobalData(QStringLiteral("keyboard/profileNo")).toInt(), 3);
        rig.view->resetApconfig();
        QTest::qWait(0);
        QCOMPARE(rig.view->getGlobalData(QStringLiteral("keyboard/profileNo")).toInt(), 0);
        QCOMPARE(contents(QStringLiteral("./modules/setting/apConfig.bin")),
                 contents(QStringLiteral("./modules/setting/apConfigD.bin")));
    }

    // The factory copy may name other devices and another mouse family: the
    // reset takes the UI's settings only, the device table and the flags read
    // at start stay until the next start.
    void resetOfTheGlobalStoreLeavesTheDeviceTable()
    {
        StoreRig rig;
        const QList<DeviceInfo> table = rig.device.devices();
        QVERIFY(table.size() > 1);
        rig.device.setDevicePath(1, QStringLiteral("mouse-node"));
        writeStoreFile(QStringLiteral("./modules/setting/apConfigD.bin"),
                       {{"common/deviceCount", 1}, {"0/type", 1}, {"0/vid", "abcd"}, {"0/pid", "0001"},
                        {"mouse/icType", "560"}, {"mouse/isGun", true}});
        rig.view->resetApconfig();
        QTest::qWait(0);
        QCOMPARE(rig.view->getGlobalData(QStringLiteral("common/deviceCount")).toInt(), 1);
        QCOMPARE(rig.device.devices().size(), table.size());
        for (int i = 0; i < table.size(); ++i) {
            QCOMPARE(rig.device.devices()[i].vid, table[i].vid);
            QCOMPARE(rig.device.devices()[i].type, table[i].type);
        }
        QCOMPARE(rig.device.devices()[1].path, QStringLiteral("mouse-node"));
        QCOMPARE(rig.view->icType, QStringLiteral("553"));
        QVERIFY(!rig.view->isGun);
    }

    void resetProfileTakesEveryFactoryValue()
    {
        StoreRig rig;
        rig.view->setCurrentProfile(3);
        rig.view->setData(QStringLiteral("keyboardKeyMatrix/5"), QStringList{"2", "Q"});
        rig.view->resetProfile(3);
        QSettings defaults(QStringLiteral("./modules/setting/pD.bin"), QSettings::IniFormat);
        for (const QString &key : defaults.allKeys())
            QCOMPARE(rig.view->getData(key, false), rig.view->getData(key, true));
        QVERIFY(!rig.view->getData(QStringLiteral("profile/marker"), false).isValid());
        QCOMPARE(contents(profileFile(4)), contents(QStringLiteral("./modules/setting/pD.bin")));
    }

    void copyProfileBothWays()
    {
        StoreRig rig;
        rig.view->setCurrentProfile(2);
        rig.view->setData(QStringLiteral("only/inThree"), 1);  // not yet on disk: copied all the same
        rig.view->copyProfile(7, 2);
        rig.view->setCurrentProfile(7);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 3);
        QCOMPARE(rig.view->getData(QStringLiteral("only/inThree"), false).toInt(), 1);
        rig.view->setCurrentProfile(2);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 3);

        rig.view->setCurrentProfile(7);
        rig.view->setData(QStringLiteral("profile/marker"), 70);
        rig.view->copyProfile(2, 7);
        rig.view->setCurrentProfile(2);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 70);

        const QByteArray before = contents(profileFile(5));
        rig.view->copyProfile(4, 4);
        QCOMPARE(contents(profileFile(5)), before);
    }

    // An export over an older one writes through a symbolic link the user
    // keeps there (into the file it names) and keeps the file's mode.
    void exportCopiesTheNumberedFile_data()
    {
        QTest::addColumn<int>("profile");
        QTest::addColumn<int>("fileNumber");
        QTest::addColumn<bool>("throughLink");
        QTest::addColumn<int>("mode");
        const int ownerOnly = int(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        const int shared = ownerOnly | int(QFile::ReadGroup | QFile::ReadOther);
        QTest::newRow("first") << 0 << 1 << false << shared;
        QTest::newRow("last") << 9 << 10 << false << shared;
        QTest::newRow("kept private") << 3 << 4 << false << ownerOnly;
        QTest::newRow("through a symbolic link") << 5 << 6 << true << ownerOnly;
    }
    void exportCopiesTheNumberedFile()
    {
        QFETCH(int, profile);
        QFETCH(int, fileNumber);
        QFETCH(bool, throughLink);
        QFETCH(int, mode);
        StoreRig rig;
        const QString target = rig.workspace.path() + QStringLiteral("/exported.pf");
        const QString written = throughLink ? rig.workspace.path() + QStringLiteral("/kept/exported.pf") : target;
        QVERIFY(QDir().mkpath(QFileInfo(written).path()));
        writeStoreBytes(written, "an older export, longer than the profile file itself " + QByteArray(120, '.'));
        QVERIFY(QFile::setPermissions(written, QFile::Permissions(mode)));
        if (throughLink)
            QVERIFY(QFile::link(written, target));
        rig.dialogs->answer = target;
        rig.view->saveProfile(profile);
        QCOMPARE(rig.dialogs->asked, QStringList{"Save File|Profile(*.pf)"});
        QCOMPARE(contents(written), contents(profileFile(fileNumber)));
        QCOMPARE(QFileInfo(target).isSymLink(), throughLink);
        QCOMPARE(int(QFile::permissions(written)), mode);
    }

    // The save dialog proposes the profile's name from the keyboard's profile
    // list; a name typed without a suffix is written with ".pf", so that the
    // import's filter finds it again.
    void exportProposesTheNameAndAddsTheSuffix_data()
    {
        QTest::addColumn<QStringList>("profileList");
        QTest::addColumn<int>("profile");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("named") << QStringList{"profile_00", "Arena 22"} << 2 << "Arena 2.pf" << "gaming" << "gaming.pf";
        QTest::newRow("another suffix kept") << QStringList{"work1"} << 1 << "work.pf" << "gaming.ini" << "gaming.ini";
        QTest::newRow("slashes") << QStringList{"a/b\\c4"} << 4 << "a_b_c.pf" << "x." << "x.pf";
        QTest::newRow("not in the list") << QStringList{} << 5 << "profile_5.pf" << "five" << "five.pf";
    }
    void exportProposesTheNameAndAddsTheSuffix()
    {
        QFETCH(QStringList, profileList);
        QFETCH(int, profile);
        QFETCH(QString, proposed);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        StoreRig rig;
        rig.view->updataNameList(2, QVariantList(profileList.begin(), profileList.end()), 0);
        rig.dialogs->answer = rig.workspace.path() + QLatin1Char('/') + typed;
        rig.view->saveProfile(profile);
        QCOMPARE(QFileInfo(rig.dialogs->directory).fileName(), proposed);
        QCOMPARE(QFileInfo(rig.dialogs->directory).path(), desktopDirectory());
        QCOMPARE(contents(rig.workspace.path() + QLatin1Char('/') + written), contents(profileFile(profile + 1)));
    }

    // A home without a desktop folder: the dialog opens the home folder, not
    // its parent with "Desktop" as the file name.
    void dialogsOpenOnTheDesktopOrElseHome()
    {
        StoreRig rig;
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", rig.workspace.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (rig.workspace.path() + "/config").toUtf8());
        rig.view->saveProfile(0);
        QCOMPARE(QFileInfo(rig.dialogs->directory).path(), rig.workspace.path());
        QVERIFY(QDir(rig.workspace.path()).mkdir(QStringLiteral("Desktop")));
        rig.view->loadProfile(0);
        QCOMPARE(rig.dialogs->directory, rig.workspace.path() + QStringLiteral("/Desktop"));
        qputenv("HOME", home);
        qunsetenv("XDG_CONFIG_HOME");
    }

    // A serialized value whose length field asks for gigabytes (found by the
    // fuzzer) is read as its text: the file imports, reads and saves as any.
    void aHostileSerializedValueReadsAsText()
    {
        StoreRig rig;
        const QByteArray hostile = QByteArray::fromBase64(
            "W2d1bkRhdGFdCkE9IDMwMCwgOTksIEBWYXJpYW50KFwwXDBcGQAxLUJ5QXJyYXkpCi4xLCAyLCAzCg==");
        const QString source = rig.workspace.path() + QStringLiteral("/hostile.pf");
        writeStoreBytes(source, hostile);
        LogCapture log;
        rig.dialogs->answer = source;
        QVERIFY(rig.view->loadProfile(1));
        rig.view->setCurrentProfile(1);
        const QVariantList preset = rig.view->getDataList(QStringLiteral("gunData/A"), false);
        QCOMPARE(preset.size(), 3);
        QCOMPARE(preset.at(0).toString(), QStringLiteral("300"));
        QVERIFY(preset.at(2).toString().startsWith(QStringLiteral("@Variant(")));

        GunPresetFile presets(source);
        QCOMPARE(presets.names(), QStringList{QStringLiteral("A")});
        QVERIFY(presets.save(QStringLiteral("B"), {1}));
        QCOMPARE(GunPresetFile(source).values(QStringLiteral("B")).size(), 1);

        const QString storeFile = rig.workspace.path() + QStringLiteral("/store.bin");
        QVERIFY(QFile::copy(source, storeFile));
        SettingsStore store(storeFile);
        QVERIFY(store.contains(QStringLiteral("gunData/A")));
        QVERIFY(!QFile::exists(storeFile + QStringLiteral(".refused")));
        QCOMPARE(log.count(QStringLiteral("not read")), 0);
    }

    void usersOwnTextSurvivesARestart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("serialized form") << QStringLiteral("@Variant(combo)");
        QTest::newRow("escaped at sign") << QStringLiteral("\\x40Variant(x)");
        QTest::newRow("other forms") << QStringLiteral("@ByteArray(x)");
        QTest::newRow("doubled at sign") << QStringLiteral("@@x");
        QTest::newRow("Chinese and a comma") << QStringLiteral("宏, @Variant(");
    }
    void usersOwnTextSurvivesARestart()
    {
        QFETCH(QString, text);
        TestWorkspace workspace;
        const QString macro = QString(text).remove(QLatin1Char('\\'));
        const QString path = QStringLiteral("/home/user/") + text + QStringLiteral("/run.sh");
        const QString pathKey = QStringLiteral("keyboard/advaceFunction3");
        int tableSize = 0;
        {
            Hid_Thread device;
            tableSize = int(device.devices().size());
            myQQuickView view;
            QVERIFY(view.updataNameList(2, {text + QLatin1Char('0')}, 0));
            QVERIFY(view.updataNameList(0, {QStringLiteral("Macro 0"), macro}, 0));
            QVERIFY(view.createMacroIni(macro, 0));
            QVERIFY(view.saveMacroIni(macro, {QStringLiteral("0,A,0,10")}, 2, 0, 1, 2));
            view.setGlobalData(pathKey, path);
            view.setCurrentProfile(2);
            view.setDataList(QStringLiteral("keyboardKeyMatrix/7"), {8, text});
        }
        forgetParsedSettings(QStringLiteral("./modules"));
        Hid_Thread device;
        QCOMPARE(int(device.devices().size()), tableSize);
        myQQuickView view;
        QCOMPARE(view.getNameList(2, 0), (QVariantList{text + QLatin1Char('0'), QStringLiteral("loadertravex")}));
        QCOMPARE(view.getNameList(0, 0), (QVariantList{QStringLiteral("Macro 0"), macro}));
        QCOMPARE(view.loadMacroIni(macro, 0), (QVariantList{"0,A,0,10", "2", "1", "2"}));
        QCOMPARE(view.getGlobalData(pathKey).toString(), path);
        QCOMPARE(view.getGlobalData(QStringLiteral("common/deviceCount")).toInt(), tableSize);
        view.setCurrentProfile(2);
        QCOMPARE(view.getDataList(QStringLiteral("keyboardKeyMatrix/7"), false), (QVariantList{"8", text}));
        QVERIFY(QDir(QStringLiteral("./modules/setting")).entryList({QStringLiteral("*.refused*")}).isEmpty());
    }

    // The global store's file also holds the device table: put aside, it is
    // followed by its factory copy, so the keyboards are still found at this
    // start and the next, and a profile starts from the defaults. A file put
    // aside again keeps the earlier copies.
    void unreadableStoresStartFromTheirFactoryFiles()
    {
        TestWorkspace workspace;
        const int tableSize = readDeviceTable(StoreFiles::factoryGlobal()).size();
        QVERIFY(tableSize > 0);
        // The copy put aside at each start: ".refused", then ".refused.2" and on.
        const auto aside = [](int start) {
            return StoreFiles::profile(3) + QStringLiteral(".refused") + (start > 1 ? QString(".%1").arg(start) : QString());
        };
        for (int start = 1; start <= 3; ++start) {
            for (const QString &file : {StoreFiles::global(), StoreFiles::profile(3)}) {
                QFile store(file);
                QVERIFY(store.open(QIODevice::Append));
                QVERIFY(store.write(QByteArray(kMaxSettingsFileSize, ';') + QByteArray::number(start)) > 0);
            }
            Hid_Thread device;
            QCOMPARE(device.devices().size(), tableSize);
            myQQuickView view;
            view.setCurrentProfile(2);
            QCOMPARE(view.getData(QStringLiteral("keyboard/lightValue"), false),
                     view.getData(QStringLiteral("keyboard/lightValue"), true));
            view.setGlobalData(QStringLiteral("common/language"), QStringLiteral("English"));
            for (int earlier = 1; earlier <= start; ++earlier)  // none replaced by a later one
                QVERIFY2(contents(aside(earlier)).endsWith(QByteArray::number(earlier)), qPrintable(aside(earlier)));
        }
        QCOMPARE(readDeviceTable(StoreFiles::global()).size(), tableSize);
        QCOMPARE(QDir(QStringLiteral("./modules/setting")).entryList({QStringLiteral("apConfig.bin.refused*")}).size(), 3);
    }

    void anImportThatCannotBeReadChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("gone") << QByteArray() << QStringLiteral("it does not exist");
        QTest::newRow("a folder") << QByteArray() << QStringLiteral("it is a folder");
        QTest::newRow("empty") << QByteArray("") << QStringLiteral("it holds no settings");
        QTest::newRow("no settings") << QByteArray("just some words\nand more\n") << QStringLiteral("it holds no settings");
        QTest::newRow("too large") << QByteArray(kMaxSettingsFileSize + 1, ' ') << QStringLiteral("larger");
    }
    void anImportThatCannotBeReadChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        StoreRig rig;
        const QString source = rig.workspace.path() + QStringLiteral("/chosen.pf");
        if (QByteArray(QTest::currentDataTag()) == "a folder")
            QVERIFY(QDir().mkpath(source));
        else if (!bytes.isNull())
            writeStoreBytes(source, bytes);
        rig.view->setCurrentProfile(1);
        rig.view->setData(QStringLiteral("profile/unsaved"), 5);
        const QByteArray before = contents(profileFile(2));
        QSignalSpy told(&SaveFailures::instance(), &SaveFailures::notImported);
        rig.dialogs->answer = source;
        QVERIFY(!rig.view->loadProfile(1));
        QCOMPARE(told.count(), 1);
        QCOMPARE(told[0][0].toString(), source);
        QVERIFY2(told[0][1].toString().contains(reason), qPrintable(told[0][1].toString()));
        QCOMPARE(contents(profileFile(2)), before);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 2);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/unsaved"), false).toInt(), 5);
    }

    void importReplacesTheProfile()
    {
        StoreRig rig;
        const QString source = rig.workspace.path() + QStringLiteral("/import.pf");
        writeStoreFile(source, {{"profile/marker", 99}});
        rig.dialogs->answer = source;
        QVERIFY(rig.view->loadProfile(1));
        QCOMPARE(rig.dialogs->asked, QStringList{"Open File|Profile(*.pf)"});
        rig.view->setCurrentProfile(1);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 99);
        QCOMPARE(contents(profileFile(2)), contents(source));
    }

    void cancelledOrImpossibleImportChangesNothing()
    {
        StoreRig rig;
        const QByteArray before = contents(profileFile(2));
        rig.dialogs->answer.clear();
        QVERIFY(!rig.view->loadProfile(1));
        QVERIFY(!rig.view->loadProfile(10));  // no such profile: no dialog either
        QCOMPARE(rig.dialogs->asked.size(), 1);
        QCOMPARE(contents(profileFile(2)), before);
    }

    void failedCopyKeepsTheOldProfile()
    {
        StoreRig rig;
        rig.view->setCurrentProfile(1);
        rig.view->setData(QStringLiteral("profile/unsaved"), 5);
        rig.dialogs->answer = rig.workspace.path() + QStringLiteral("/no-such-file.pf");
        QVERIFY(!rig.view->loadProfile(1));  // chosen, but nothing was imported
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 2);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/unsaved"), false).toInt(), 5);
        QSettings onDisk(profileFile(2), QSettings::IniFormat);
        QCOMPARE(onDisk.value(QStringLiteral("profile/marker")).toInt(), 2);

        // A factory file that has gone missing does not empty a profile either.
        QVERIFY(QFile::remove(QStringLiteral("./modules/setting/pD.bin")));
        rig.view->resetProfile(1);
        QCOMPARE(rig.view->getData(QStringLiteral("profile/marker"), false).toInt(), 2);
    }
};

QTEST_MAIN(TestStores)
#include "tst_stores.moc"
