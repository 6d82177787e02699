// The shipped Simplified Chinese strings: each section as long as the UI's
// built-in English list, a translation wherever English has a text, and key
// names under which the factory key assignments still convert.
#include "i18n/language_file.h"
#include "keys/key_names.h"
#include "support/test_workspace.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QTest>

namespace {

const QString kCode = QStringLiteral("ChineseSimplified");

QStringList withBlanks(QStringList texts, int blanks)
{
    for (int i = 0; i < blanks; ++i)
        texts.append(QString());
    return texts;
}

// The UI's built-in English lists.
const QStringList kMain = {
    "Import", "Output", "New", "Delete", "Name:", "OK", "Link program", "Macro Name", "New", "Delete",
    "Key", "Action", "Delay(MS)", "Times", "Please input Keyboard Key", "Cancel", "Record Delay", "Light", "Key",
    "Macro", "DPI", "Update", "Recovery", "Keyboard", "Mouse", "Mousepad", "Headset", "Version: V1.0", "Support", ""};

const QStringList kKeyboard = withBlanks(QStringList{"Light Mode", "SYNC", "Brightness", "Dark", "Bright", "Speed",
    "Slow", "Fast", "Color", "Direction", "Left to Right", "Right to Left", "Group Key", "Macro Key",
    "Base Function", "Advance Function", "Cancel", "OK", "Single Key", "Group Key", "Play Music", "Run Program",
    "Open File", "Open Dir", "Select"}, 5)
    + QStringList{"Media", "Vol-", "Copy", "Repeat", "Search", "Play/Pause", "Vol+", "Paste", "Cancel", "Maximum",
                  "Stop", "Mute", "Save", "Select ALL", "Minmum", "Preview", "New", "Print", "My Computer",
                  "Desktop", "Next", "Cut", "Search", "Index", "Run", "Normal", "Breathing", "Wave", "Ripples",
                  "Reaction", "Horserace", "Usr Define1", "Usr Define2", "Usr Define3", "Usr Define4",
                  "Usr Define5", "Swirl", "Default", "Mouse", "Keyboard"}
    + withBlanks(QStringList{"Multimedia", "System", "Macro", "Office", "Power", "Sleep", "Wake"}, 3)
    + withBlanks(QStringList{"Normal", "Breathing", "Wave", "Getting Off", "Horserace 1", "Ripples 1",
                             "Getting On", "Raindrop", "Horserace 2", "Diffusion 1", "Ripples 2", "Rate",
                             "Diffusion 2", "Usr Define1", "Usr Define2", "Usr Define3", "Usr Define4",
                             "Usr Define5"}, 2);

const QStringList kMouse = {
    "Left Key", "Middle Key", "Right Key", "Forward", "Back", "DPI+", "DPI-", "DPI LOOP", "Double Click",
    "Base Function", "Group Key", "Macro Key", "Media", "Cancel", "OK", "Single Key", "First", "Second", "Third",
    "Fouth", "Fifth", "Sixth", "Seventh", "Eighth", "Polling Rate", "Cursor Rate", "Static", "Breath", "Neon",
    "Finger", "Wave", "horse", "Fn", "Fire", ""};

const QStringList kMacroEditor = withBlanks(QStringList{"Macro ", "Macro Name", "New", "Delete", "Action",
    "Stop Record", "Times", "OK", "Start Record", "Delay", "Delete", "Import", "Export", "Insert Delay",
    "Insert Key", "Insert Left Key", "Insert Middle Key", "Insert Right Key", "", "", "Insert Mouse",
    "Delete All", "First", "Up", "Last", "Down"}, 4);

// The questions and limits the window tells (strings.js, "prompts").
const QStringList kPrompts = {
    "Delete the profile \"%1\"?", "Delete the macro \"%1\"?",
    "Restore the factory settings of the profile \"%1\"? Its lighting and key settings are replaced.",
    "Six profiles exist: the imported file replaces the profile \"%1\".",
    "Six profiles at most: delete one to make room for a new one.",
    "A hundred macros at most: delete one to make room.", "A macro holds at most 28 actions.",
    "Click a key on the picture to choose what it does."};

bool hasChinese(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    }
    return false;
}

// Positions of the keyboard matrix whose names the factory profile stores
// (Fn keeps a system function and is left out).
const QStringList kStoredKeyNames = {
    "Esc", "`", "Tab", "Caps", "LShift", "LCtrl", "1", "Q", "A", "|\\", "LWin", "F1", "2", "W", "S", "Z", "LAlt",
    "F2", "3", "E", "D", "X", "F3", "4", "R", "F", "C", "F4", "5", "T", "G", "V", "F5", "6", "Y", "H", "B", "Space",
    "F6", "7", "U", "J", "N", "F7", "8", "I", "K", "M", "F8", "9", "O", "L", ",", "F9", "0", "P", ";", ".", "RAlt",
    "F10", "-", "[", "'", "/", "F11", "=", "]", "App", "F12", "Back", "\\", "Enter", "RShift", "RCtrl", "Prt",
    "Ins", "Del", "\u25C4", "Scr", "Hom", "End", "\u25B2", "\u25BC", "Pau", "Pgu", "PgD", "\u25BA", "Num", "KP7",
    "KP4", "KP1", "KP0", "KPDIV", "KP8", "KP5", "KP2", "KPMUL", "KP9", "KP6", "KP3", "KP.", "KPSUB", "KPPLUS",
    "KPEnter"};

} // namespace

class TestChineseStrings : public QObject
{
    Q_OBJECT

private slots:
    void englishListLengths()
    {
        QCOMPARE(kMain.size(), 30);
        QCOMPARE(kKeyboard.size(), 100);
        QCOMPARE(kMouse.size(), 35);
        QCOMPARE(kMacroEditor.size(), 30);
        QCOMPARE(kKeyboard[67], QStringLiteral("Default"));
        QCOMPARE(kKeyboard[80], QStringLiteral("Normal"));
    }

    void fileIsUtf8()
    {
        QFile file(QStringLiteral(GEARCONSOLE_SOURCE_DIR "/modules/i18n/ChineseSimplified.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(file.readAll());
        QVERIFY(!decoder.hasError());
        QVERIFY(hasChinese(text));
    }

    void sectionsMatchTheEnglishLists_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QStringList>("english");
        QTest::newRow("main") << QStringLiteral("main") << kMain;
        QTest::newRow("keyboard") << QStringLiteral("keyboard") << kKeyboard;
        QTest::newRow("mouse") << QStringLiteral("mouse") << kMouse;
        QTest::newRow("macroEditor") << QStringLiteral("macroEditor") << kMacroEditor;
        QTest::newRow("keyCode") << QStringLiteral("keyCode") << keyNames();
        QTest::newRow("prompts") << QStringLiteral("prompts") << kPrompts;
    }

    void sectionsMatchTheEnglishLists()
    {
        QFETCH(QString, section);
        QFETCH(QStringList, english);
        TestWorkspace workspace;
        const QStringList chinese = readLanguageSection(section, kCode);
        QCOMPARE(chinese.size(), english.size());
        int translated = 0;
        for (int i = 0; i < english.size(); ++i) {
            QVERIFY2(chinese[i].isEmpty() == english[i].isEmpty(),
                     qPrintable(QStringLiteral("%1 %2: \"%3\" / \"%4\"").arg(section).arg(i).arg(english[i], chinese[i])));
            translated += hasChinese(chinese[i]) ? 1 : 0;
        }
        if (section != QLatin1String("keyCode"))
            QVERIFY2(translated * 4 >= english.size() * 3, qPrintable(QString::number(translated)));
    }

    void otherSectionIsEmpty()
    {
        TestWorkspace workspace;
        QCOMPARE(readLanguageSection(QStringLiteral("other"), kCode), QStringList());
    }

    // New macros are named with string 0 followed by a number: its trailing
    // blank must survive.
    void macroNamePrefixKeepsItsBlank()
    {
        TestWorkspace workspace;
        const QStringList chinese = readLanguageSection(QStringLiteral("macroEditor"), kCode);
        QVERIFY(chinese.value(0).endsWith(QLatin1Char(' ')));
    }

    // Names convert to codes position by position, so the Chinese names must
    // stay unique (but the shared backslash) and keep the names the factory
    // profile and the macro editor store.
    void keyNamesStillConvert()
    {
        TestWorkspace workspace;
        const QStringList chinese = readLanguageSection(QStringLiteral("keyCode"), kCode);
        QSet<QString> seen;
        for (const QString &name : chinese) {
            if (name != QLatin1String("\\"))
                QVERIFY2(!seen.contains(name), qPrintable(name));
            seen.insert(name);
        }
        QCOMPARE(kStoredKeyNames.size(), 104);
        for (const QString &name : kStoredKeyNames)
            QVERIFY2(usageOfName(name, chinese) == usageOfName(name), qPrintable(name));
        for (const char *mouseButton : {"MS-L", "MS-M", "MS-R"})
            QCOMPARE(usageOfName(QString::fromLatin1(mouseButton), chinese),
                     usageOfName(QString::fromLatin1(mouseButton)));
        QCOMPARE(usageOfName(QStringLiteral("|\\"), chinese), 0x64);
    }
};

QTEST_APPLESS_MAIN(TestChineseStrings)
#include "tst_i18n_chinese.moc"
