// Files written by the earlier Windows program's INI settings library: no
// text codec, so non-ASCII text in values is written as \x escapes (a hex
// digit right after such an escape is escaped too), non-ASCII characters and
// spaces in keys as %U and %XX escapes, strings with commas in double quotes,
// a leading "@" doubled, lists as entries separated by ", ". The fixtures
// below are written byte by byte, the way that library wrote them.
#include "macro_test_rig.h"

#include <QtTest>

namespace {
const QString kMacroName = QString::fromUtf8("宏1");            // \x5b8f\x31
const QString kMouseMacroName = QString::fromUtf8("鼠标宏");     // \x9f20\x6807\x5b8f
const QString kProfileEntry = QString::fromUtf8("配置0");         // \x914d\x7f6e\x30
const QString kPresetName = QString::fromUtf8("步枪");            // %U6B65%U67AA

const QByteArray kMacroFile = "[config]\r\n"
                              "index=0\r\n"
                              "total=4\r\n"
                              "repeat=3\r\n"
                              "delay=1\r\n"
                              "times=3\r\n"
                              "\r\n"
                              "[macro]\r\n"
                              "0=\"0,LCtrl,0,10\"\r\n"
                              "1=\"0,,,0,35\"\r\n"
                              "2=\"1,,,1,10\"\r\n"
                              "3=\"1,LCtrl,1,1000\"\r\n";

const QByteArray kNameListFile = "[macro]\r\n"
                                 "macroName=\\x5b8f\\x31, @@Macro, Macro 0\r\n"
                                 "macroName1=\\x9f20\\x6807\\x5b8f, loadertravex\r\n"
                                 "\r\n"
                                 "[profile]\r\n"
                                 "0=\\x914d\\x7f6e\\x30, loadertravex\r\n";

const QByteArray kProfileFile = "[mouseKeyMatrix]\r\n"
                                "3=4, 0, 1, 0\r\n"
                                "4=4, 0, 2, 0\r\n"
                                "\r\n"
                                "[mouseMacroKey]\r\n"
                                "1=\\x5b8f\\x31\r\n"
                                "2=\\x5b8f\\x32\r\n";

const QByteArray kPresetFile = "[gunData]\r\n"
                               "%U6B65%U67AA=3, 12, 40, 0, 0, 0\r\n"
                               "Rifle%202=1, 2, 3, 4, 5, 6\r\n";
} // namespace

class TestMacroCompat : public QObject
{
    Q_OBJECT

private slots:
    void aMacroFileReadsBack()
    {
        BridgeRig rig;
        writeFile(QStringLiteral("./modules/macro/") + kMacroName + QStringLiteral(".bin"), kMacroFile);
        QCOMPARE(stringsOf(rig.view->loadMacroIni(kMacroName, 0)),
                 QStringList({"0,LCtrl,0,10", "0,,,0,35", "1,,,1,10", "1,LCtrl,1,1000", "3", "1", "3"}));
    }

    void savingOverAnOldMacroFileKeepsItsIndexAndReadsBack()
    {
        BridgeRig rig;
        const QString path = QStringLiteral("./modules/macro1/") + kMouseMacroName + QStringLiteral(".bin");
        writeFile(path, QByteArray(kMacroFile).replace("index=0", "index=7"));
        QVERIFY(rig.view->saveMacroIni(kMouseMacroName, {"2,MS-L,0,10"}, 1, 1, 0, 1));
        ParsedSettings file(path);
        QCOMPARE(file->value("config/index").toString(), QStringLiteral("7"));
        QCOMPARE(file->value("config/total").toString(), QStringLiteral("1"));
        QCOMPARE(stringsOf(rig.view->loadMacroIni(kMouseMacroName, 1)), QStringList({"2,MS-L,0,10", "1", "0", "1"}));
    }

    void aNameListReadsBack()
    {
        BridgeRig rig;
        writeFile(QStringLiteral("./modules/setting/name.bin"), kNameListFile);
        QCOMPARE(stringsOf(rig.view->getNameList(0, 0)), QStringList({kMacroName, "@Macro", "Macro 0"}));
        QCOMPARE(stringsOf(rig.view->getNameList(1, 0)), QStringList({kMouseMacroName, "loadertravex"}));
        QCOMPARE(stringsOf(rig.view->getNameList(2, 0)), QStringList({kProfileEntry, "loadertravex"}));
    }

    void writingOneListOfAnOldFileKeepsTheOthers()
    {
        BridgeRig rig;
        writeFile(QStringLiteral("./modules/setting/name.bin"), kNameListFile);
        QVERIFY(rig.view->updataNameList(3, {kPresetName}, 0));

        ParsedSettings file(QStringLiteral("./modules/setting/name.bin"));
        QCOMPARE(file->value("macro/macroName").toStringList(), QStringList({kMacroName, "@Macro", "Macro 0"}));
        QCOMPARE(file->value("profile/0").toStringList(), QStringList({kProfileEntry, "loadertravex"}));
        QCOMPARE(file->value("gun/selectGun").toStringList(), QStringList({kPresetName, "loadertravex"}));
    }

    void deletingAMacroWithAnEscapedNameResetsItsMouseKeys()
    {
        auto prepare = [] {
            writeFile(QStringLiteral("./modules/setting/p1.bin"), kProfileFile);
            QSettings defaults(QStringLiteral("./modules/setting/pD.bin"), QSettings::IniFormat);
            defaults.setValue("mouseKeyMatrix/3", QVariantList{1, 3, 0, 0});
            defaults.setValue("mouseKeyMatrix/4", QVariantList{1, 4, 0, 0});
        };
        BridgeRig rig(prepare);
        rig.view->deleteMacroUpdateProfile(kMacroName);
        rig.closeBridge();

        ParsedSettings profile(QStringLiteral("./modules/setting/p1.bin"));
        QCOMPARE(profile->value("mouseKeyMatrix/3").toStringList(), QStringList({"1", "3", "0", "0"}));
        QCOMPARE(profile->value("mouseKeyMatrix/4").toStringList(), QStringList({"4", "0", "2", "0"}));
        QCOMPARE(profile->value("mouseMacroKey/1").toString(), kMacroName);
    }

    void presetsWithEscapedKeysReadBack()
    {
        BridgeRig rig;
        writeFile(QStringLiteral("./modules/gun/gunData.bin"), kPresetFile);
        QStringList names = rig.view->getGunDataKey();
        names.sort();
        QStringList expected = {kPresetName, "Rifle 2"};
        expected.sort();
        QCOMPARE(names, expected);
        QCOMPARE(stringsOf(rig.view->getGunData(kPresetName)), QStringList({"3", "12", "40", "0", "0", "0"}));
        QCOMPARE(stringsOf(rig.view->getGunData("Rifle 2")), QStringList({"1", "2", "3", "4", "5", "6"}));
    }
};

QTEST_MAIN(TestMacroCompat)
#include "tst_macro_compat.moc"
