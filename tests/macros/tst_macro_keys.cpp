// Keyboard keys that play a macro stay on that macro, in every profile, when
// the macro list changes: through the real slot and the profile files.
#include "macro_test_rig.h"

#include <QtTest>

namespace {

QString profileFile(int number) { return QStringLiteral("./modules/setting/p%1.bin").arg(number); }

// Profile 1: F6 (key 42) plays "Greeting" by name, A (key 9) the macro at
// position 1 as stored before names were kept, F (key 21) a position past
// the list. Profile 3: F6 plays "Third". Profile 5 plays no macro.
void prepareProfiles()
{
    QSettings("./modules/setting/pD.bin", QSettings::IniFormat).setValue("keyboardKeyMatrix/42", QStringList{"2", "F6"});
    QSettings p1(profileFile(1), QSettings::IniFormat);
    p1.setValue("keyboardKeyMatrix/42", QStringList{"5", "0"});
    p1.setValue("keyboardMacroKey/42", "Greeting");
    p1.setValue("keyboardKeyMatrix/9", QStringList{"5", "1"});
    p1.setValue("keyboardKeyMatrix/21", QStringList{"5", "7"});
    QSettings p3(profileFile(3), QSettings::IniFormat);
    p3.setValue("keyboardKeyMatrix/42", QStringList{"5", "2"});
    p3.setValue("keyboardMacroKey/42", "Third");
    QSettings(profileFile(5), QSettings::IniFormat).setValue("keyboardKeyMatrix/42", QStringList{"2", "F6"});
}

// "pair|name" of a key as the file holds it.
QString stored(int profile, int key)
{
    ParsedSettings file(profileFile(profile));
    return file->value(QStringLiteral("keyboardKeyMatrix/%1").arg(key)).toStringList().join(',') + '|'
         + file->value(QStringLiteral("keyboardMacroKey/%1").arg(key)).toString();
}

} // namespace

class TestMacroKeys : public QObject
{
    Q_OBJECT

private slots:
    void keysFollowTheirMacros_data()
    {
        QTest::addColumn<QVariantList>("moves");
        QTest::addColumn<QVariantList>("after");
        QTest::addColumn<int>("changedInProfile1");
        QTest::addColumn<QStringList>("p1F6_p1A_p3F6");
        QTest::newRow("import in front") << QVariantList{1, 2, 3} << QVariantList{"Macro 0", "Greeting", "Fast", "Third"}
                                         << 2 << QStringList{"5,1|Greeting", "5,2|Fast", "5,3|Third"};
        // A deleted macro's keys take the defaults; the others move up.
        QTest::newRow("delete") << QVariantList{-1, 0, 1} << QVariantList{"Fast", "Third"} << 2
                                << QStringList{"2,F6|", "5,0|Fast", "5,1|Third"};
        QTest::newRow("rename") << QVariantList{0, 1, 2} << QVariantList{"Greeting", "Quick", "Tri"} << 0
                                << QStringList{"5,0|Greeting", "5,1|", "5,2|Tri"};
        QTest::newRow("reorder") << QVariantList{2, 1, 0} << QVariantList{"Third", "Fast", "Greeting"} << 1
                                 << QStringList{"5,2|Greeting", "5,1|", "5,0|Third"};
        // A change that does not add up moves nothing.
        const QStringList unchanged{"5,0|Greeting", "5,1|", "5,2|Third"};
        QTest::newRow("fewer moves") << QVariantList{0, 1} << QVariantList{"Greeting", "Fast"} << -1 << unchanged;
        QTest::newRow("two to one place") << QVariantList{0, 0, 1} << QVariantList{"Greeting", "Fast", "Third"}
                                          << -1 << unchanged;
    }
    void keysFollowTheirMacros()
    {
        QFETCH(QVariantList, moves);
        QFETCH(QVariantList, after);
        QFETCH(int, changedInProfile1);
        QFETCH(QStringList, p1F6_p1A_p3F6);
        BridgeRig rig(prepareProfiles);
        const QByteArray p5 = fileBytes(profileFile(5));
        QCOMPARE(rig.view->keyboardFollowMacroList({"Greeting", "Fast", "Third"}, moves, after).toInt(),
                 changedInProfile1);
        // The open store answers at once; the files hold it too.
        QCOMPARE(stringsOf(rig.view->getDataList("keyboardKeyMatrix/42", false)).join(','),
                 p1F6_p1A_p3F6[0].section('|', 0, 0));
        rig.closeBridge();
        QCOMPARE((QStringList{stored(1, 42), stored(1, 9), stored(3, 42)}), p1F6_p1A_p3F6);
        // A position that named no macro is left alone; so is a profile
        // without macro keys, to the byte.
        QCOMPARE(stored(1, 21), QStringLiteral("5,7|"));
        QCOMPARE(fileBytes(profileFile(5)), p5);
    }
};

QTEST_MAIN(TestMacroKeys)
#include "tst_macro_keys.moc"
