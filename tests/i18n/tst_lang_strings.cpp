// Reading one section of a language file, through the reader and the bridge.
#include "bridge/myqquickview.h"
#include "i18n/language_file.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void writeLanguage(const QString &code, const QByteArray &bytes)
{
    writeFile(QStringLiteral("modules/i18n/") + code + QStringLiteral(".ini"), bytes);
}

} // namespace

class TestLangStrings : public QObject
{
    Q_OBJECT

private slots:
    void keyOrderNotFileOrder()
    {
        TestWorkspace workspace;
        writeLanguage(QStringLiteral("Test"), "[main]\n2=third\ntotal=3\n0=first\n1=second\n");
        QCOMPARE(readLanguageSection(QStringLiteral("main"), QStringLiteral("Test")),
                 QStringList({"first", "second", "third"}));
    }

    void missingKeyReadsEmpty()
    {
        TestWorkspace workspace;
        writeLanguage(QStringLiteral("Test"), "[main]\ntotal=3\n0=a\n2=c\n");
        QCOMPARE(readLanguageSection(QStringLiteral("main"), QStringLiteral("Test")), QStringList({"a", "", "c"}));
    }

    void utf8TextComesBackUnchanged()
    {
        TestWorkspace workspace;
        const QString text = QStringLiteral("导入 Größe € ►");
        writeLanguage(QStringLiteral("Test"), "[keyboard]\ntotal=2\n0=" + text.toUtf8() + "\n1=\"宏 \"\n");
        QCOMPARE(readLanguageSection(QStringLiteral("keyboard"), QStringLiteral("Test")),
                 QStringList({text, QStringLiteral("宏 ")}));
    }

    void unusableTotalsGiveNothing_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::newRow("zero") << QByteArray("[main]\ntotal=0\n0=a\n");
        QTest::newRow("negative") << QByteArray("[main]\ntotal=-2\n0=a\n");
        QTest::newRow("absent") << QByteArray("[main]\n0=a\n1=b\n");
        QTest::newRow("not a number") << QByteArray("[main]\ntotal=three\n0=a\n");
    }

    void unusableTotalsGiveNothing()
    {
        QFETCH(QByteArray, section);
        TestWorkspace workspace;
        writeLanguage(QStringLiteral("Test"), section);
        QCOMPARE(readLanguageSection(QStringLiteral("main"), QStringLiteral("Test")), QStringList());
    }

    void missingFileOrSectionGivesNothing()
    {
        TestWorkspace workspace;
        writeLanguage(QStringLiteral("Test"), "[main]\ntotal=1\n0=a\n");
        QCOMPARE(readLanguageSection(QStringLiteral("other"), QStringLiteral("Test")), QStringList());
        QCOMPARE(readLanguageSection(QStringLiteral("main"), QStringLiteral("Klingon")), QStringList());
        QVERIFY(!QFile::exists(QStringLiteral("modules/i18n/Klingon.ini")));
    }

    // A value holding ", " without quotes reads back as its text.
    void commaInAValueKeepsTheText()
    {
        TestWorkspace workspace;
        writeLanguage(QStringLiteral("Test"), "[main]\ntotal=1\n0=Copy, Paste\n");
        QCOMPARE(readLanguageSection(QStringLiteral("main"), QStringLiteral("Test")), QStringList({"Copy, Paste"}));
    }

    void absurdTotalIsRefused()
    {
        TestWorkspace workspace;
        writeLanguage(QStringLiteral("Test"), "[main]\ntotal=2000000000\n0=a\n");
        LogCapture log;
        QCOMPARE(readLanguageSection(QStringLiteral("main"), QStringLiteral("Test")), QStringList());
        QCOMPARE(log.count(QStringLiteral("gearconsole.bridge: language section refused")), 1);
    }

    // A code that is not a plain file name is refused before any file is
    // opened, even when the path it names exists.
    void hostileCodesAreRefused_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("parent") << QStringLiteral("../Escape");
        QTest::newRow("slash") << QStringLiteral("sub/Inner");
        QTest::newRow("backslash") << QStringLiteral("sub\\Inner");
        QTest::newRow("dots") << QStringLiteral("..");
        QTest::newRow("empty") << QString();
        QTest::newRow("control") << QStringLiteral("Test\n");
        QTest::newRow("absolute") << QStringLiteral("/tmp/Escape");
    }

    void hostileCodesAreRefused()
    {
        QFETCH(QString, code);
        TestWorkspace workspace;
        const QByteArray section = "[main]\ntotal=1\n0=leaked\n";
        writeFile(QStringLiteral("modules/Escape.ini"), section);
        writeLanguage(QStringLiteral("sub/Inner"), section);
        writeLanguage(QStringLiteral("Test\n"), section);
        QCOMPARE(readLanguageSection(QStringLiteral("main"), QStringLiteral("sub/Inner")).size(), 0);  // refused
        LogCapture log;
        QCOMPARE(readLanguageSection(QStringLiteral("main"), code), QStringList());
        QCOMPARE(log.count(QStringLiteral("gearconsole.bridge: language code refused")), 1);
    }

    void plainCodes()
    {
        QVERIFY(isPlainLanguageCode(QStringLiteral("ChineseSimplified")));
        QVERIFY(isPlainLanguageCode(QStringLiteral("en.GB")));
        QVERIFY(!isPlainLanguageCode(QStringLiteral("a..b")));
        QCOMPARE(languageFilePath(QStringLiteral("ChineseSimplified")),
                 QStringLiteral("./modules/i18n/ChineseSimplified.ini"));
    }

    void bridgeSlotReadsTheSection()
    {
        TestWorkspace workspace;
        writeLanguage(QStringLiteral("Test"), "[mouse]\ntotal=2\n0=左键\n1=中键\n");
        myQQuickView view;
        QCOMPARE(view.getLangStrings(QStringLiteral("mouse"), QStringLiteral("Test")),
                 QStringList({QStringLiteral("左键"), QStringLiteral("中键")}));
        QCOMPARE(view.getLangStrings(QStringLiteral("main"), QStringLiteral("ChineseSimplified")).size(), 30);
        LogCapture log;
        QCOMPARE(view.getLangStrings(QStringLiteral("mouse"), QStringLiteral("../i18n/Test")), QStringList());
        QCOMPARE(log.count(QStringLiteral("language code refused")), 1);
    }
};

QTEST_MAIN(TestLangStrings)
#include "tst_lang_strings.moc"
