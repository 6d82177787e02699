// The macro library through the bridge: the files it writes and reads, the
// name list file, the mouse keys reset when a macro goes, import and export
// through the dialogs, and names that must not become paths.
#include "macro_test_rig.h"
#include "platform/save_failures.h"
#include "platform/settings_format.h"
#include "support/log_capture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const QString kKeyboardFolder = QStringLiteral("./modules/macro/");
const QString kMouseFolder = QStringLiteral("./modules/macro1/");
const QString kNameList = QStringLiteral("./modules/setting/name.bin");

QString keyboardMacro(const QString &name) { return kKeyboardFolder + name + QStringLiteral(".bin"); }
QString mouseMacro(const QString &name) { return kMouseFolder + name + QStringLiteral(".bin"); }

QVariantList lines(const QStringList &strings)
{
    QVariantList list;
    for (const QString &s : strings)
        list.append(s);
    return list;
}
} // namespace

class TestMacroFiles : public QObject
{
    Q_OBJECT

private slots:
    void newMacroHoldsExactlyTheFiveConfigKeys_data()
    {
        QTest::addColumn<int>("deviceNo");
        QTest::addColumn<QString>("folder");
        QTest::newRow("keyboard") << 0 << kKeyboardFolder;
        QTest::newRow("mouse") << 1 << kMouseFolder;
    }
    void newMacroHoldsExactlyTheFiveConfigKeys()
    {
        QFETCH(int, deviceNo);
        QFETCH(QString, folder);
        BridgeRig rig;
        QVERIFY(rig.view->createMacroIni(QStringLiteral("Macro 0"), deviceNo));

        const QString path = folder + QStringLiteral("Macro 0.bin");
        QVERIFY(QFile::exists(path));
        ParsedSettings file(path);
        QStringList keys = file->allKeys();
        keys.sort();
        QCOMPARE(keys, QStringList({"config/delay", "config/index", "config/repeat", "config/times", "config/total"}));
        QCOMPARE(file->value("config/index").toString(), QStringLiteral("0"));
        QCOMPARE(file->value("config/total").toString(), QStringLiteral("0"));
        QCOMPARE(file->value("config/repeat").toString(), QStringLiteral("1"));
        QCOMPARE(file->value("config/delay").toString(), QStringLiteral("1"));
        QCOMPARE(file->value("config/times").toString(), QStringLiteral("1"));
        // Only the library of the device holds it.
        const QString other = (deviceNo == 0 ? kMouseFolder : kKeyboardFolder) + QStringLiteral("Macro 0.bin");
        QVERIFY(!QFile::exists(other));
    }

    void creatingAgainResetsTheCountsButKeepsTheSteps()
    {
        BridgeRig rig;
        QVERIFY(rig.view->createMacroIni("M", 0));
        QVERIFY(rig.view->saveMacroIni("M", lines({"0,A,0,10", "1,A,1,10"}), 5, 0, 0, 5));
        QVERIFY(rig.view->createMacroIni("M", 0));
        ParsedSettings file(keyboardMacro("M"));
        QCOMPARE(file->value("config/total").toString(), QStringLiteral("0"));
        QCOMPARE(file->value("config/repeat").toString(), QStringLiteral("1"));
        QCOMPARE(file->value("macro/0").toString(), QStringLiteral("0,A,0,10"));
        QCOMPARE(file->value("macro/1").toString(), QStringLiteral("1,A,1,10"));
    }

    void savingFewerStepsLeavesNoOldStepKeys()
    {
        BridgeRig rig;
        QVERIFY(rig.view->createMacroIni("M", 1));
        QVERIFY(rig.view->saveMacroIni("M", lines({"0,A,0,10", "1,A,1,20", "0,B,0,30", "1,B,1,40"}), 3, 1, 1, 3));
        QVERIFY(rig.view->saveMacroIni("M", lines({"2,MS-L,0,15"}), 7, 1, 0, 7));

        ParsedSettings file(mouseMacro("M"));
        file->beginGroup("macro");
        QCOMPARE(file->childKeys(), QStringList({"0"}));
        file->endGroup();
        QCOMPARE(file->value("macro/0").toString(), QStringLiteral("2,MS-L,0,15"));
        QCOMPARE(file->value("config/total").toString(), QStringLiteral("1"));
        QCOMPARE(file->value("config/repeat").toString(), QStringLiteral("7"));
        QCOMPARE(file->value("config/delay").toString(), QStringLiteral("0"));
        QCOMPARE(file->value("config/times").toString(), QStringLiteral("7"));
        QCOMPARE(file->value("config/index").toString(), QStringLiteral("0"));

        QCOMPARE(stringsOf(rig.view->loadMacroIni("M", 1)), QStringList({"2,MS-L,0,15", "7", "0", "7"}));
    }

    void actionLinesAreStoredQuotedAndReadBackAsOneString()
    {
        BridgeRig rig;
        const QStringList steps = {"0,A,0,10", "1,A,1,10", "0,,,0,10", "3,MS-R,1,250"};
        QVERIFY(rig.view->createMacroIni("Quoted", 0));
        QVERIFY(rig.view->saveMacroIni("Quoted", lines(steps), 2, 0, 1, 3));

        const QByteArray text = fileBytes(keyboardMacro("Quoted"));
        QVERIFY2(text.contains("0=\"0,A,0,10\""), text.constData());
        QVERIFY2(text.contains("2=\"0,,,0,10\""), text.constData());

        // A copy under another name is parsed from its text, as after a restart.
        QVERIFY(QFile::copy(keyboardMacro("Quoted"), keyboardMacro("Copy")));
        const QVariantList loaded = rig.view->loadMacroIni("Copy", 0);
        QCOMPARE(stringsOf(loaded), steps + QStringList({"2", "1", "3"}));
        for (const QVariant &line : loaded)
            QCOMPARE(line.typeId(), int(QMetaType::QString));
    }

    void anUnquotedLineReadsBackJoined()
    {
        BridgeRig rig;
        writeFile(keyboardMacro("Bare"), "[config]\ntotal=1\nrepeat=1\ndelay=1\ntimes=1\n[macro]\n0=0,A,0,10\n");
        QCOMPARE(stringsOf(rig.view->loadMacroIni("Bare", 0)), QStringList({"0,A,0,10", "1", "1", "1"}));
    }

    void missingEntriesReadAsZero()
    {
        BridgeRig rig;
        writeFile(keyboardMacro("Gaps"), "[config]\ntotal=3\nrepeat=4\n[macro]\n1=\"0,C,0,10\"\n");
        QCOMPARE(stringsOf(rig.view->loadMacroIni("Gaps", 0)), QStringList({"0", "0,C,0,10", "0", "4", "0", "0"}));
    }

    void savingToAMissingMacroFailsAndCreatesNothing()
    {
        BridgeRig rig;
        const auto before = snapshot(rig.workspace.path());
        QVERIFY(!rig.view->saveMacroIni("Nowhere", lines({"0,A,0,10"}), 1, 1, 1, 1));
        QVERIFY(!rig.view->saveMacroIni("Nowhere", lines({"0,A,0,10"}), 1, 1, 1, 1));
        QVERIFY(!QFile::exists(keyboardMacro("Nowhere")));
        QCOMPARE(snapshot(rig.workspace.path()), before);
        QVERIFY(rig.view->loadMacroIni("Nowhere", 0).isEmpty());
        QVERIFY(!rig.view->deleteMacroIni("Nowhere", 0));
        QVERIFY(!rig.view->modifyMacroName("Nowhere", "Elsewhere", 0));
        QCOMPARE(snapshot(rig.workspace.path()), before);
    }

    void renameMovesTheFileInsideItsLibrary()
    {
        BridgeRig rig;
        QVERIFY(rig.view->createMacroIni("Old", 1));
        QVERIFY(rig.view->saveMacroIni("Old", lines({"0,A,0,10"}), 1, 1, 1, 1));
        const QByteArray content = fileBytes(mouseMacro("Old"));
        QVERIFY(rig.view->modifyMacroName("Old", "New", 1));
        QVERIFY(!QFile::exists(mouseMacro("Old")));
        QCOMPARE(fileBytes(mouseMacro("New")), content);
        QVERIFY(!QFile::exists(keyboardMacro("New")));
    }

    void renameOverAnExistingNameFailsAndLeavesBoth()
    {
        BridgeRig rig;
        QVERIFY(rig.view->createMacroIni("A", 0));
        QVERIFY(rig.view->saveMacroIni("A", lines({"0,A,0,10"}), 1, 0, 1, 1));
        QVERIFY(rig.view->createMacroIni("B", 0));
        QVERIFY(rig.view->saveMacroIni("B", lines({"0,B,0,10", "1,B,1,10"}), 2, 0, 0, 2));
        const QByteArray a = fileBytes(keyboardMacro("A")), b = fileBytes(keyboardMacro("B"));
        QVERIFY(a != b);

        QVERIFY(!rig.view->modifyMacroName("A", "B", 0));
        QCOMPARE(fileBytes(keyboardMacro("A")), a);
        QCOMPARE(fileBytes(keyboardMacro("B")), b);
        QVERIFY(!rig.view->modifyMacroName("A", "A", 0));
        QCOMPARE(fileBytes(keyboardMacro("A")), a);
    }

    void deleteRemovesOnlyThatMacro()
    {
        BridgeRig rig;
        QVERIFY(rig.view->createMacroIni("Gone", 0));
        QVERIFY(rig.view->createMacroIni("Gone", 1));
        QVERIFY(rig.view->deleteMacroIni("Gone", 0));
        QVERIFY(!QFile::exists(keyboardMacro("Gone")));
        QVERIFY(QFile::exists(mouseMacro("Gone")));
        QVERIFY(!rig.view->deleteMacroIni("Gone", 0));
    }

    void aListOfOneNameIsStoredWithTheSentinel()
    {
        BridgeRig rig;
        QVERIFY(rig.view->updataNameList(0, {"Macro 0"}, 0));
        ParsedSettings file(kNameList);
        QCOMPARE(file->value("macro/macroName").toStringList(), QStringList({"Macro 0", "loadertravex"}));
        QCOMPARE(stringsOf(rig.view->getNameList(0, 0)), QStringList({"Macro 0", "loadertravex"}));
        // The shipped profile list is still there.
        QCOMPARE(file->value("profile/0").toStringList(), QStringList({"profile_00", "loadertravex"}));
    }

    void aRealSecondEntryNamedLikeTheSentinelIsKept()
    {
        BridgeRig rig;
        QVERIFY(rig.view->updataNameList(1, {"First", "loadertravex"}, 0));
        ParsedSettings file(kNameList);
        QCOMPARE(file->value("macro/macroName1").toStringList(), QStringList({"First", "loadertravex"}));
        QCOMPARE(stringsOf(rig.view->getNameList(1, 0)), QStringList({"First", "loadertravex"}));
    }

    void longerListsAreStoredAsGiven()
    {
        BridgeRig rig;
        const QStringList names = {"Macro 2", "Macro 0", "Macro 1"};
        QVERIFY(rig.view->updataNameList(0, lines(names), 0));
        QCOMPARE(ParsedSettings(kNameList)->value("macro/macroName").toStringList(), names);
        QCOMPARE(stringsOf(rig.view->getNameList(0, 0)), names);
    }

    void anEmptyListRemovesItsKey()
    {
        BridgeRig rig;
        QVERIFY(rig.view->updataNameList(3, {"Rifle", "SMG"}, 0));
        QVERIFY(ParsedSettings(kNameList)->contains("gun/selectGun"));
        QVERIFY(rig.view->updataNameList(3, {}, 0));
        QVERIFY(!ParsedSettings(kNameList)->contains("gun/selectGun"));
        QVERIFY(rig.view->getNameList(3, 0).isEmpty());
    }

    void aPlainStringOrAMissingKeyIsNoList()
    {
        BridgeRig rig;
        writeFile(kNameList, "[macro]\nmacroName=Lonely\n");
        QVERIFY(rig.view->getNameList(0, 0).isEmpty());
        QVERIFY(rig.view->getNameList(1, 0).isEmpty());
    }

    void profileListsAreKeyedByDeviceIndex()
    {
        BridgeRig rig;
        QVERIFY(rig.view->updataNameList(2, {"profile_03"}, 3));
        ParsedSettings file(kNameList);
        QCOMPARE(file->value("profile/3").toStringList(), QStringList({"profile_03", "loadertravex"}));
        QCOMPARE(file->value("profile/0").toStringList(), QStringList({"profile_00", "loadertravex"}));
        QCOMPARE(stringsOf(rig.view->getNameList(2, 0)), QStringList({"profile_00", "loadertravex"}));
        QCOMPARE(stringsOf(rig.view->getNameList(2, 3)), QStringList({"profile_03", "loadertravex"}));
    }

    void unknownListTypesAreRefused()
    {
        BridgeRig rig;
        const QByteArray before = fileBytes(kNameList);
        LogCapture log;
        QVERIFY(!rig.view->updataNameList(4, {"x", "y"}, 0));
        QVERIFY(!rig.view->updataNameList(-1, {"x", "y"}, 0));
        QVERIFY(rig.view->getNameList(4, 0).isEmpty());
        QCOMPARE(fileBytes(kNameList), before);
        QCOMPARE(log.count("gearconsole.bridge: "), 3);
    }

    void deletingAMacroResetsTheMouseKeysThatPlayIt()
    {
        // Profile 2 plays "Gone" on keys 5 and 15 (slot 2), "Other" on key 6
        // (slot 3); key 7 is not a macro key although its third entry is 2.
        auto prepare = [] {
            QSettings defaults("./modules/setting/pD.bin", QSettings::IniFormat);
            for (int k : {5, 6, 7, 15})
                defaults.setValue(QStringLiteral("mouseKeyMatrix/%1").arg(k), QVariantList{1, k, 0, 0});
            for (const char *file : {"./modules/setting/p2.bin", "./modules/setting/p7.bin"}) {
                QSettings profile(QString::fromLatin1(file), QSettings::IniFormat);
                profile.setValue("mouseKeyMatrix/5", QVariantList{4, 0, 2, 0});
                profile.setValue("mouseKeyMatrix/15", QVariantList{4, 1, 2, 0});
                profile.setValue("mouseKeyMatrix/6", QVariantList{4, 0, 3, 0});
                profile.setValue("mouseKeyMatrix/7", QVariantList{2, 0, 2, 0});
                // A plain text is no assignment, whatever its characters.
                profile.setValue("mouseKeyMatrix/8", "4x2");
                profile.setValue("mouseMacroKey/2", "Gone");
                profile.setValue("mouseMacroKey/3", "Other");
            }
        };
        BridgeRig rig(prepare);
        const QByteArray p7 = fileBytes("./modules/setting/p7.bin");
        rig.view->deleteMacroUpdateProfile("Gone");
        rig.closeBridge();

        ParsedSettings p2("./modules/setting/p2.bin");
        ParsedSettings pD("./modules/setting/pD.bin");
        QCOMPARE(p2->value("mouseKeyMatrix/5").toStringList(), pD->value("mouseKeyMatrix/5").toStringList());
        QCOMPARE(p2->value("mouseKeyMatrix/15").toStringList(), pD->value("mouseKeyMatrix/15").toStringList());
        QCOMPARE(p2->value("mouseKeyMatrix/5").toStringList(), QStringList({"1", "5", "0", "0"}));
        QCOMPARE(p2->value("mouseKeyMatrix/6").toStringList(), QStringList({"4", "0", "3", "0"}));
        QCOMPARE(p2->value("mouseKeyMatrix/7").toStringList(), QStringList({"2", "0", "2", "0"}));
        QCOMPARE(p2->value("mouseKeyMatrix/8").toString(), QStringLiteral("4x2"));
        QCOMPARE(p2->value("mouseMacroKey/2").toString(), QStringLiteral("Gone"));
        // Profiles after the sixth hold no mouse assignments and are left alone.
        QCOMPARE(fileBytes("./modules/setting/p7.bin"), p7);
    }

    void deletingAMacroNoKeyPlaysChangesNoProfile()
    {
        auto prepare = [] {
            QSettings profile("./modules/setting/p1.bin", QSettings::IniFormat);
            profile.setValue("mouseKeyMatrix/0", QVariantList{4, 0, 1, 0});
            profile.setValue("mouseMacroKey/1", "Kept");
        };
        BridgeRig rig(prepare);
        rig.view->deleteMacroUpdateProfile("Kep");
        rig.closeBridge();
        QCOMPARE(ParsedSettings("./modules/setting/p1.bin")->value("mouseKeyMatrix/0").toStringList(),
                 QStringList({"4", "0", "1", "0"}));
    }

    void exportAsksForAFileAndReplacesAnExistingOne()
    {
        BridgeRig rig;
        QVERIFY(rig.view->createMacroIni("Out", 1));
        QVERIFY(rig.view->saveMacroIni("Out", lines({"2,MS-L,0,10", "3,MS-L,1,10"}), 1, 1, 1, 1));
        const QString target = rig.workspace.path() + QStringLiteral("/exported.mc");
        writeFile(target, "an older export that is longer than the macro file, so a partial overwrite would show\n"
                          "an older export that is longer than the macro file, so a partial overwrite would show\n"
                          "an older export that is longer than the macro file, so a partial overwrite would show\n");
        rig.dialogs.answer = target;
        rig.view->saveMacroFile("Out", 1);

        QCOMPARE(rig.dialogs.calls.size(), 1);
        QCOMPARE(rig.dialogs.calls[0].kind, QStringLiteral("save"));
        QCOMPARE(rig.dialogs.calls[0].title, QStringLiteral("Save File"));
        QCOMPARE(rig.dialogs.calls[0].filter, QStringLiteral("Macro(*.mc)"));
        // The dialog proposes the macro's name with the filter's suffix.
        QCOMPARE(rig.dialogs.calls[0].directory, desktopDirectory() + QStringLiteral("/Out.mc"));
        QCOMPARE(fileBytes(target), fileBytes(mouseMacro("Out")));
        // Typed without its suffix, the export gets it, so the import's filter shows it.
        rig.dialogs.answer = rig.workspace.path() + QStringLiteral("/again");
        rig.view->saveMacroFile("Out", 1);
        QCOMPARE(fileBytes(rig.dialogs.answer + QStringLiteral(".mc")), fileBytes(mouseMacro("Out")));
        QFile::remove(rig.dialogs.answer + QStringLiteral(".mc"));
        // Nothing but the export is left beside it.
        QCOMPARE(QDir(rig.workspace.path()).entryList(QDir::Files), QStringList({"exported.mc"}));
    }

    void cancelledOrImpossibleExportsKeepTheTarget()
    {
        BridgeRig rig;
        const QString target = rig.workspace.path() + QStringLiteral("/kept.mc");
        writeFile(target, "kept");
        rig.dialogs.answer.clear();
        QVERIFY(rig.view->createMacroIni("Out", 0));
        rig.view->saveMacroFile("Out", 0);
        QCOMPARE(fileBytes(target), QByteArray("kept"));

        // The macro does not exist: the chosen file is not deleted.
        rig.dialogs.answer = target;
        LogCapture log;
        rig.view->saveMacroFile("Missing", 0);
        QCOMPARE(fileBytes(target), QByteArray("kept"));
        QCOMPARE(log.count("saveMacroFile"), 1);
    }

    void importCopiesTheChosenFileUnderTheNewName()
    {
        BridgeRig rig;
        const QString source = rig.workspace.path() + QStringLiteral("/chosen.mc");
        writeFile(source, "[config]\nindex=0\ntotal=1\nrepeat=2\ndelay=0\ntimes=2\n\n[macro]\n0=\"0,Q,0,10\"\n");
        rig.dialogs.answer = source;
        QVERIFY(rig.view->loadMacroFile("Macro 3", 1));

        QCOMPARE(rig.dialogs.calls.size(), 1);
        QCOMPARE(rig.dialogs.calls[0].kind, QStringLiteral("open"));
        QCOMPARE(rig.dialogs.calls[0].title, QStringLiteral("Open File"));
        QCOMPARE(rig.dialogs.calls[0].filter, QStringLiteral("Macro(*.mc)"));
        QCOMPARE(rig.dialogs.calls[0].directory, desktopDirectory());
        QCOMPARE(fileBytes(mouseMacro("Macro 3")), fileBytes(source));
        QCOMPARE(stringsOf(rig.view->loadMacroIni("Macro 3", 1)), QStringList({"0,Q,0,10", "2", "0", "2"}));
    }

    void importUnderATakenNameKeepsTheOldFileAndStillSucceeds()
    {
        BridgeRig rig;
        QVERIFY(rig.view->createMacroIni("Taken", 0));
        const QByteArray old = fileBytes(keyboardMacro("Taken"));
        const QString source = rig.workspace.path() + QStringLiteral("/other.mc");
        writeFile(source, "[config]\ntotal=0\n");
        rig.dialogs.answer = source;
        QVERIFY(rig.view->loadMacroFile("Taken", 0));
        QCOMPARE(fileBytes(keyboardMacro("Taken")), old);
    }

    void cancelledImportReturnsFalseAndCreatesNothing()
    {
        BridgeRig rig;
        const auto before = snapshot(rig.workspace.path());
        rig.dialogs.answer.clear();
        QVERIFY(!rig.view->loadMacroFile("Macro 4", 0));
        QCOMPARE(rig.dialogs.calls.size(), 1);
        QCOMPARE(snapshot(rig.workspace.path()), before);
    }

    void hostileNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent path") << QStringLiteral("../x");
        QTest::newRow("sub folder") << QStringLiteral("a/b");
        QTest::newRow("empty") << QString();
        QTest::newRow("dot") << QStringLiteral(".");
        QTest::newRow("dot dot") << QStringLiteral("..");
        QTest::newRow("backslash") << QStringLiteral("a\\b");
        QTest::newRow("newline") << QStringLiteral("a\nb");
        QTest::newRow("delete") << QStringLiteral("a\x7f");
        QTest::newRow("101 characters") << QString(101, QLatin1Char('m'));
        // The file name's bytes count: 3 for each of these characters.
        QTest::newRow("81 Chinese characters, 243 bytes") << QString(81, QChar(0x5B8F));
        QTest::newRow("82 Chinese characters, 246 bytes") << QString(82, QChar(0x5B8F));
    }
    void hostileNamesAreRefused()
    {
        QFETCH(QString, name);
        BridgeRig rig;
        QVERIFY(rig.view->createMacroIni("Good", 0));
        const QString outside = rig.workspace.path() + QStringLiteral("/outside.mc");
        writeFile(outside, "[config]\ntotal=0\n");
        rig.dialogs.answer = outside;
        const auto before = snapshot(rig.workspace.path());
        LogCapture log;

        for (int deviceNo : {0, 1}) {
            QVERIFY(!rig.view->createMacroIni(name, deviceNo));
            QVERIFY(!rig.view->saveMacroIni(name, lines({"0,A,0,10"}), 1, 1, 1, 1));
            QVERIFY(rig.view->loadMacroIni(name, deviceNo).isEmpty());
            QVERIFY(!rig.view->deleteMacroIni(name, deviceNo));
            QVERIFY(!rig.view->loadMacroFile(name, deviceNo));
            rig.view->saveMacroFile(name, deviceNo);
        }
        QVERIFY(!rig.view->modifyMacroName("Good", name, 0));
        QVERIFY(!rig.view->modifyMacroName(name, "Good", 0));

        QCOMPARE(snapshot(rig.workspace.path()), before);
        QVERIFY(QFile::exists(keyboardMacro("Good")));
        QVERIFY(rig.dialogs.calls.isEmpty());
        // One line for each refusal, none for anything else.
        QCOMPARE(log.count("gearconsole.bridge: "), 14);
        QCOMPARE(log.count("refused"), 14);
    }

    // The longest names still leave the writers room for their temporary
    // files: every operation works on them.
    void theLongestNamesWork_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("other");
        QTest::newRow("100 characters") << QString(100, QLatin1Char('m')) << QString(100, QLatin1Char('n'));
        QTest::newRow("80 Chinese characters, 240 bytes") << QString(80, QChar(0x5B8F)) << QString(80, QChar(0x5F55));
    }
    void theLongestNamesWork()
    {
        QFETCH(QString, name);
        QFETCH(QString, other);
        BridgeRig rig;
        QSignalSpy failures(&SaveFailures::instance(), &SaveFailures::failed);
        QVERIFY(rig.view->createMacroIni(name, 0));
        QVERIFY(rig.view->saveMacroIni(name, lines({"0,A,0,10"}), 3, 0, 1, 3));
        QCOMPARE(stringsOf(rig.view->loadMacroIni(name, 0)), QStringList({"0,A,0,10", "3", "1", "3"}));
        const QString exported = rig.workspace.path() + QStringLiteral("/out.mc");
        rig.dialogs.answer = exported;
        rig.view->saveMacroFile(name, 0);
        QCOMPARE(fileBytes(exported), fileBytes(keyboardMacro(name)));
        QVERIFY(rig.view->modifyMacroName(name, other, 0));
        QVERIFY(rig.view->saveMacroIni(other, lines({"1,A,1,10"}), 1, 0, 1, 1));
        QVERIFY(rig.view->loadMacroFile(name, 0));
        QCOMPARE(stringsOf(rig.view->loadMacroIni(name, 0)), QStringList({"0,A,0,10", "3", "1", "3"}));
        QVERIFY(rig.view->updataNameList(0, {name, other}, 0));
        QVERIFY(rig.view->deleteMacroIni(other, 0));
        QCOMPARE(failures.count(), 0);
    }

    // A chosen file that is no macro, or cannot be read or copied, adds
    // nothing, and the user is told why.
    void anImportThatCannotBeReadAddsNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("gone") << QByteArray() << QStringLiteral("it does not exist");
        QTest::newRow("a folder") << QByteArray() << QStringLiteral("it is a folder");
        QTest::newRow("empty") << QByteArray("") << QStringLiteral("holds no macro");
        QTest::newRow("a profile") << QByteArray("[keyboard]\nlightValue=0, 218\n") << QStringLiteral("holds no macro");
        QTest::newRow("a count that is no number") << QByteArray("[config]\ntotal=many\n") << QStringLiteral("holds no macro");
        QTest::newRow("too large") << QByteArray("[config]\ntotal=0\n") + QByteArray(kMaxSettingsFileSize, ';')
                                   << QStringLiteral("larger");
    }
    void anImportThatCannotBeReadAddsNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        BridgeRig rig;
        const QString source = rig.workspace.path() + QStringLiteral("/chosen.mc");
        if (QByteArray(QTest::currentDataTag()) == "a folder")
            QVERIFY(QDir().mkpath(source));
        else if (!bytes.isNull())
            writeFile(source, bytes);
        const auto before = snapshot(rig.workspace.path() + QStringLiteral("/modules"));
        QSignalSpy told(&SaveFailures::instance(), &SaveFailures::notImported);
        rig.dialogs.answer = source;
        QVERIFY(!rig.view->loadMacroFile("Macro 1", 0));
        QCOMPARE(told.count(), 1);
        QCOMPARE(told[0][0].toString(), source);
        QVERIFY2(told[0][1].toString().contains(reason), qPrintable(told[0][1].toString()));
        QCOMPARE(snapshot(rig.workspace.path() + QStringLiteral("/modules")), before);
        QVERIFY(rig.view->loadMacroIni("Macro 1", 0).isEmpty());
    }

    // A macro whose file cannot be read can still be renamed and deleted, so
    // its name is not blocked; an edit that cannot be saved is told.
    void aMacroThatCannotBeReadCanStillGo()
    {
        BridgeRig rig;
        writeFile(keyboardMacro("Huge"), "[config]\ntotal=0\n" + QByteArray(kMaxSettingsFileSize, ';'));
        QSignalSpy failures(&SaveFailures::instance(), &SaveFailures::failed);
        QVERIFY(rig.view->loadMacroIni("Huge", 0).isEmpty());
        QVERIFY(!rig.view->saveMacroIni("Huge", lines({"0,A,0,10"}), 1, 0, 1, 1));
        QVERIFY(!rig.view->saveMacroIni("Missing", lines({"0,A,0,10"}), 1, 0, 1, 1));
        QCOMPARE(failures.count(), 2);
        QVERIFY(failures[0][1].toString().contains(QStringLiteral("larger")));
        QCOMPARE(failures[1][1].toString(), QStringLiteral("the macro's file is missing"));
        QVERIFY(!rig.view->createMacroIni("Huge", 0));
        QVERIFY(rig.view->modifyMacroName("Huge", "Still huge", 0));
        QVERIFY(rig.view->deleteMacroIni("Still huge", 0));
        QVERIFY(!QFile::exists(keyboardMacro("Still huge")));
        QVERIFY(rig.view->createMacroIni("Huge", 0));
    }
};

QTEST_MAIN(TestMacroFiles)
#include "tst_macro_files.moc"
