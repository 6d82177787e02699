// The key-name table: its 134 entries as the UI lists them, the conversions
// between names and codes, and the UI's JS copy of the same table.
#include "keys/key_names.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QSet>
#include <QTest>

namespace {

struct NameRow
{
    int code;
    QString name;
};

void addRun(QList<NameRow> &rows, int firstCode, const QStringList &names)
{
    for (int i = 0; i < names.size(); ++i)
        rows.append({firstCode + i, names[i]});
}

// The table as the key lists give it, group by group.
QList<NameRow> expectedTable()
{
    QList<NameRow> rows;
    QStringList letters;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters.append(QString(QLatin1Char(c)));
    addRun(rows, 0x04, letters);
    addRun(rows, 0x1E, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"});
    addRun(rows, 0x28, {"Enter", "Esc", "Back", "Tab", "Space"});
    addRun(rows, 0x2D, {"-", "=", "[", "]"});
    addRun(rows, 0x31, {"\\", "\\"});
    addRun(rows, 0x33, {";", "'", "`", ",", ".", "/"});
    addRun(rows, 0x39, {"Caps"});
    addRun(rows, 0x3A, {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"});
    addRun(rows, 0x46, {"Prt", "Scr", "Pau", "Ins", "Hom", "Pgu", "Del", "End", "PgD"});
    addRun(rows, 0x4F, {QString(QChar(0x25BA)), QString(QChar(0x25C4)), QString(QChar(0x25BC)),
                        QString(QChar(0x25B2))});
    addRun(rows, 0x53, {"Num"});
    addRun(rows, 0x54, {"KPDIV", "KPMUL", "KPSUB", "KPPLUS", "KPEnter"});
    addRun(rows, 0x59, {"KP1", "KP2", "KP3", "KP4", "KP5", "KP6", "KP7", "KP8", "KP9", "KP0"});
    addRun(rows, 0x63, {"KP.", "Eur2", "App", "Power", "KP="});
    addRun(rows, 0x68, {"F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"});
    rows.append({0x85, "Keypad"});
    rows.append({0x87, "Intl1"});
    rows.append({0x88, "Intl2"});
    rows.append({0x89, QString()});  // a name of its own, checked for uniqueness below
    rows.append({0x8A, "Intl4"});
    rows.append({0x8B, "Intl5"});
    rows.append({0x90, "Lang1"});
    rows.append({0x91, "Lang2"});
    addRun(rows, 0xE0, {"LCtrl", "LShift", "LAlt", "LWin", "RCtrl", "RShift", "RAlt", "RWin"});
    addRun(rows, 0xF0, {"MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"});
    rows.append({0x64, "|\\"});
    return rows;
}

constexpr int kIntl3Position = 115;

} // namespace

class TestKeyNames : public QObject
{
    Q_OBJECT

private slots:
    void tableHasEveryEntryInOrder()
    {
        const QList<NameRow> expected = expectedTable();
        QCOMPARE(expected.size(), 134);
        QCOMPARE(kKeyNameCount, 134);
        QCOMPARE(expected[kIntl3Position].code, 0x89);
        for (int p = 0; p < expected.size(); ++p) {
            QVERIFY2(kKeyNameTable[p].usage == expected[p].code, qPrintable(QStringLiteral("position %1").arg(p)));
            if (p != kIntl3Position)
                QCOMPARE(QString::fromUtf8(kKeyNameTable[p].name), expected[p].name);
        }
        QCOMPARE(keyNames().size(), 134);
    }

    void namesAreUniqueButTheBackslash()
    {
        QSet<QString> seen;
        for (const QString &name : keyNames()) {
            QVERIFY(!name.isEmpty());
            if (name != QLatin1String("\\"))
                QVERIFY2(!seen.contains(name), qPrintable(name));
            seen.insert(name);
        }
        QCOMPARE(keyNames().count(QStringLiteral("\\")), 2);
    }

    void intl3ConvertsBothWays()
    {
        const QString name = keyNameOf(0x89);
        QVERIFY(!name.isEmpty());
        QVERIFY(name != QLatin1String(";"));
        QCOMPARE(usageOfName(name), 0x89);
    }

    void namesToCodes()
    {
        QCOMPARE(usageOfName(QStringLiteral("\\")), 0x31);
        QCOMPARE(usageOfName(QStringLiteral("Intl2")), 0x88);
        QCOMPARE(usageOfName(QStringLiteral("|\\")), 0x64);
        QCOMPARE(usageOfName(QStringLiteral("Eur2")), 0x64);
        QCOMPARE(usageOfName(QStringLiteral("A")), 0x04);
        QCOMPARE(usageOfName(QStringLiteral("MS-B5")), 0xF4);
        QCOMPARE(usageOfName(QString(QChar(0x25B2))), 0x52);
        QCOMPARE(usageOfName(QStringLiteral(",")), 0x36);
        QCOMPARE(usageOfName(QStringLiteral(";")), 0x33);
        QCOMPARE(usageOfName(QString()), 0x33);
        QCOMPARE(usageOfName(QStringLiteral("NoSuchKey")), 0x33);
        QCOMPARE(usageOfName(QStringLiteral("a")), 0x33);  // names are case-sensitive
    }

    void codesToNames()
    {
        QCOMPARE(keyNameOf(0x64), QStringLiteral("Eur2"));
        QCOMPARE(keyNameOf(0x32), QStringLiteral("\\"));
        QCOMPARE(keyNameOf(0x7A), QStringLiteral(";"));
        QCOMPARE(keyNameOf(0x36), QStringLiteral(","));
        QCOMPARE(keyNameOf(0x33), QStringLiteral(";"));
        QCOMPARE(keyNameOf(0xE7), QStringLiteral("RWin"));
        QCOMPARE(keyNameOf(0), QStringLiteral(";"));
        QCOMPARE(keyNameOf(-1), QStringLiteral(";"));
    }

    void everyUniqueNameRoundTrips()
    {
        const QList<NameRow> expected = expectedTable();
        for (int p = 0; p < expected.size(); ++p) {
            const int code = kKeyNameTable[p].usage;
            const QString name = QString::fromUtf8(kKeyNameTable[p].name);
            if (name == QLatin1String("\\") || code == 0x64)
                continue;  // shared name or shared code: first position wins
            QCOMPARE(usageOfName(name), code);
            QCOMPARE(keyNameOf(code), name);
        }
    }

    // With a language's names in place the codes stay; a name the list lacks
    // (recorded under another language) encodes as 0x33.
    void replacedNames()
    {
        QStringList names = keyNames();
        names[0] = QStringLiteral("甲");
        QCOMPARE(usageOfName(QStringLiteral("甲"), names), 0x04);
        QCOMPARE(usageOfName(QStringLiteral("A"), names), 0x33);
        QCOMPARE(keyNameOf(0x04, names), QStringLiteral("甲"));
        QCOMPARE(usageOfName(QStringLiteral(","), names), 0x36);
        QCOMPARE(usageOfName(QStringLiteral("B"), QStringList()), 0x33);
        QCOMPARE(keyNameOf(0x05, QStringList()), QStringLiteral(";"));
    }

    // The UI imports the same table from the program's resources.
    void jsTableMatchesTheProgramsTable()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQuick\n"
                          "import \"qrc:/modules/qml/basic/keyCodeTable.js\" as KeyTable\n"
                          "Item { property var codes: KeyTable.keyCode; property var names: KeyTable.keyCodeStr }\n",
                          QUrl(QStringLiteral("qrc:/tst_key_table.qml")));
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        const QVariantList codes = object->property("codes").toList();
        const QVariantList names = object->property("names").toList();
        QCOMPARE(codes.size(), kKeyNameCount);
        QCOMPARE(names.size(), kKeyNameCount);
        for (int p = 0; p < kKeyNameCount; ++p) {
            QCOMPARE(codes[p].toInt(), int(kKeyNameTable[p].usage));
            QCOMPARE(names[p].toString(), QString::fromUtf8(kKeyNameTable[p].name));
        }
    }

    // The UI's conversions give what the program's give, for every code, every
    // name, unknown ones and a language's replaced list: a name then turns
    // into the same code in a key assignment as in a macro.
    void uiConversionsAgreeWithTheProgram()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/modules/qml/basic/KeyCodeString.qml")));
        QScopedPointer<QObject> table(component.create());
        QVERIFY2(table, qPrintable(component.errorString()));
        auto uiCode = [&](const QString &name) {
            QVariant code;
            QMetaObject::invokeMethod(table.get(), "strTokeycode", Q_RETURN_ARG(QVariant, code), Q_ARG(QVariant, name));
            return code.toInt();
        };
        auto uiName = [&](int usage) {
            QVariant name;
            QMetaObject::invokeMethod(table.get(), "keycodeTostr", Q_RETURN_ARG(QVariant, name), Q_ARG(QVariant, usage));
            return name.toString();
        };
        QStringList names = keyNames();
        for (int round = 0; round < 2; ++round) {
            if (round == 1) {  // a language replaces the names, "," among them
                names[0] = QStringLiteral("甲");
                names[names.indexOf(QStringLiteral(","))] = QStringLiteral("逗");
                table->setProperty("keyCodeStr", names);
            }
            for (int usage = -1; usage <= 0x100; ++usage)
                QCOMPARE(uiName(usage), keyNameOf(usage, names));
            for (const QString &name : names + QStringList{"", "NoSuchKey", "a", "A", ",", ";", "逗"})
                QCOMPARE(uiCode(name), usageOfName(name, names));
        }
    }
};

QTEST_MAIN(TestKeyNames)
#include "tst_keys_names.moc"
