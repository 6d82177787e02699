// The macro editor of the real window with a virtual keyboard, used as a
// user would: a new macro is recorded from captured keys, lands in the macro
// library, and once a key plays it the keyboard holds its image in slot 0.
// Until it is first shown the editor has no visible part, yet loads and
// sends macros all the same.
#include "page_rig.h"

#include "bridge/file_dialogs.h"
#include "bridge/keyboard_layout.h"
#include "device/virtual/keyboard_model.h"
#include "macros/macro_library.h"

#include <QDir>
#include <QSettings>

namespace {

QVariant editorProperty(PageRig &rig, const char *name)
{
    QQuickItem *editor = rig.item("macroEditor");
    return editor ? editor->property(name) : QVariant();
}

// A key as the capture reports it: through the bridge, queued to the UI.
void press(PageRig &rig, int usage)
{
    rig.window->view()->detectKeyboard(uchar(usage), 1);
    rig.window->view()->detectKeyboard(uchar(usage), 0);
}

constexpr int kF6 = 42;

// The image of a macro of one key's press and release, played once.
QByteArray tapImage(quint8 usage)
{
    QByteArray image(KeyboardModel::kMacroBytes, '\0');
    const quint8 bytes[] = {0x01, 0x00, 0x00, 0x00, usage, 0x00, 0x01, 0x00, usage, 0x80, 0x01, 0x00, 0x00, 0x00};
    image.replace(0, qsizetype(sizeof bytes), QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes));
    return image;
}

QByteArray codeOnKeyboard(KeyboardModel *keyboard, int uiKey)
{
    return keyboard->keyMatrix().mid(4 * KeyboardLayout::matrixPosition(uiKey, 1), 4);
}

class OpenDialogAnswers : public FileDialogs
{
public:
    explicit OpenDialogAnswers(QString answer) : m_answer(std::move(answer)) {}
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return m_answer; }

private:
    QString m_answer;
};

} // namespace

class TestMacroEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        chooseSceneGraphBackend();
    }

    void hiddenEditorLoadsAndSendsMacros()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        QVERIFY2(!rig.item("macroNameList"), "the editor's visible part exists before it was shown");

        MacroLibrary library = MacroLibrary::forDevice(0);
        QVERIFY(library.create("Twice A"));
        QVERIFY(library.save("Twice A", {"0,A,0,10", "1,A,1,10"}, 2, 0, 2));
        {
            QSettings names("./modules/setting/name.bin", QSettings::IniFormat);
            names.setValue("macro/macroName", QStringList{"Twice A", "loadertravex"});
        }
        QQuickItem *pages = rig.item("keyboardPages");
        QVERIFY(pages);
        QVERIFY(QMetaObject::invokeMethod(pages, "initialise", Q_ARG(QVariant, false),
                                          Q_ARG(QVariant, false), Q_ARG(QVariant, true)));
        QCOMPARE(editorProperty(rig, "macroNames").toStringList(), QStringList{"Twice A"});
        QCOMPARE(editorProperty(rig, "actions").toList().size(), 2);
        QVERIFY(QMetaObject::invokeMethod(pages, "sendMacro", Q_ARG(QVariant, 0)));

        KeyboardModel *keyboard = rig.keyboard();
        QVERIFY(keyboard);
        QByteArray image(KeyboardModel::kMacroBytes, '\0');
        const quint8 bytes[] = {0x02, 0x00, 0x00, 0x00,   // played twice
                                0x04, 0x00, 0x01, 0x00, 0x04, 0x80, 0x01, 0x00, 0x00, 0x00};
        image.replace(0, qsizetype(sizeof bytes), QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes));
        QTRY_COMPARE(keyboard->macro(0).toHex(' '), image.toHex(' '));
        QVERIFY(!rig.item("macroNameList"));

        // Shown, it holds what was loaded while it was hidden.
        QVERIFY(ui::click(*rig.window, "sideButton2"));
        QTRY_VERIFY(rig.item("macroNameListItem0") && rig.item("macroNameListItem0")->isVisible());
        QTRY_VERIFY(rig.item("actionListItem1") != nullptr);
        QCOMPARE(rig.item("timesField")->property("text").toString(), QString("2"));
    }

    void recordedMacroIsStoredAndPlayedByAKey()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        QVERIFY(ui::click(*rig.window, "sideButton2"));
        QTRY_VERIFY(rig.item("macroEditor")->isVisible());

        QVERIFY(ui::click(*rig.window, "macroNewButton"));
        QTRY_COMPARE(editorProperty(rig, "macroNames").toStringList(), QStringList{"Macro 0"});
        QTRY_VERIFY(rig.item("macroNameListItem0") != nullptr);
        // A new macro records real delays; this one takes 10 ms steps.
        QVERIFY(editorProperty(rig, "recordDelay").toBool());
        QVERIFY(ui::click(*rig.window, "recordDelayBox", Qt::LeftButton, QPointF(6, 8)));
        QVERIFY(!editorProperty(rig, "recordDelay").toBool());

        QVERIFY(ui::click(*rig.window, "recordButton"));
        QVERIFY(editorProperty(rig, "recording").toBool());
        for (int usage : {0x04, 0x05, 0x06})   // A, B, C
            press(rig, usage);
        QTRY_COMPARE(editorProperty(rig, "actions").toList().size(), 6);
        QTRY_VERIFY(rig.item("actionListItem5") != nullptr);
        QVERIFY(saveScreenshot(rig, "macro-editor.png"));
        QVERIFY(ui::click(*rig.window, "recordButton"));
        QVERIFY(!editorProperty(rig, "recording").toBool());
        QVERIFY(saveScreenshot(rig, "macro-editor-idle.png"));

        const QString file = MacroLibrary::forDevice(0).pathOf("Macro 0");
        QVERIFY2(QFileInfo::exists(file), qPrintable(file));
        QSettings macro(file, QSettings::IniFormat);
        QCOMPARE(macro.value("config/total").toInt(), 6);
        QCOMPARE(macro.value("config/repeat").toInt(), 1);
        QCOMPARE(macro.value("config/delay").toInt(), 0);
        QCOMPARE(macro.value("config/times").toInt(), 1);
        const QStringList expected = {"0,A,0,10", "1,A,1,10", "0,B,0,10", "1,B,1,10", "0,C,0,10", "1,C,1,10"};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(macro.value("macro/" + QString::number(i)).toString(), expected[i]);
        QSettings names("./modules/setting/name.bin", QSettings::IniFormat);
        QCOMPARE(names.value("macro/macroName").toStringList(), (QStringList{"Macro 0", "loadertravex"}));

        // Key A plays macro 0.
        QVERIFY(ui::click(*rig.window, "sideButton1"));
        QTRY_VERIFY(rig.item("keyPage")->isVisible());
        QVERIFY(ui::click(*rig.window, "key9"));
        QVERIFY2(chooseRow(rig, "categoryList", 4), "the key page offers no macro category");
        QTRY_VERIFY(rig.item("macroList") && rig.item("macroList")->isVisible());
        QVERIFY2(chooseRow(rig, "macroList", 0), "the key page lists no macro");
        QTest::qWait(300);
        QVERIFY(ui::click(*rig.window, "keySaveButton"));

        KeyboardModel *keyboard = rig.keyboard();
        QVERIFY(keyboard);
        QByteArray image(KeyboardModel::kMacroBytes, '\0');
        const quint8 bytes[] = {0x01, 0x00, 0x00, 0x00,   // played once
                                0x04, 0x00, 0x01, 0x00, 0x04, 0x80, 0x01, 0x00,
                                0x05, 0x00, 0x01, 0x00, 0x05, 0x80, 0x01, 0x00,
                                0x06, 0x00, 0x01, 0x00, 0x06, 0x80, 0x01, 0x00,
                                0x00, 0x00};
        image.replace(0, qsizetype(sizeof bytes), QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes));
        QTRY_COMPARE(keyboard->macro(0).toHex(' '), image.toHex(' '));
    }

    void renamedMacroKeepsItsSteps()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        QVERIFY(ui::click(*rig.window, "sideButton2"));
        QVERIFY(ui::click(*rig.window, "macroNewButton"));
        QVERIFY(ui::click(*rig.window, "macroNewButton"));
        QTRY_COMPARE(editorProperty(rig, "macroNames").toStringList(), (QStringList{"Macro 0", "Macro 1"}));
        QTRY_VERIFY(rig.item("macroNameListItem1") != nullptr);

        // Insert a left click through the context menu, then rename.
        QVERIFY(ui::click(*rig.window, "macroEditor", Qt::RightButton, QPointF(400, 100)));
        QTRY_VERIFY(rig.item("actionMenuItem1") && rig.item("actionMenuItem1")->isVisible());
        QVERIFY(ui::click(*rig.window, "actionMenuItem1"));
        QTRY_COMPARE(editorProperty(rig, "actions").toList().size(), 2);

        QVERIFY(ui::doubleClick(*rig.window, "macroNameListItem1"));
        QTest::keyClick(rig.window->view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(rig.window->view(), "Clicks");
        QTest::keyClick(rig.window->view(), Qt::Key_Return);
        QTRY_COMPARE(editorProperty(rig, "macroNames").toStringList(), (QStringList{"Macro 0", "Clicks"}));

        QVERIFY(!QFileInfo::exists(MacroLibrary::forDevice(0).pathOf("Macro 1")));
        QSettings macro(MacroLibrary::forDevice(0).pathOf("Clicks"), QSettings::IniFormat);
        QCOMPARE(macro.value("macro/0").toString(), QString("3,MS-L,0,10"));
        QCOMPARE(macro.value("macro/1").toString(), QString("4,MS-L,1,10"));

        // A name another macro has is refused.
        QVERIFY(ui::doubleClick(*rig.window, "macroNameListItem1"));
        QTest::keyClick(rig.window->view(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(rig.window->view(), "Macro 0");
        QTest::keyClick(rig.window->view(), Qt::Key_Return);
        QTest::qWait(50);
        QCOMPARE(editorProperty(rig, "macroNames").toStringList(), (QStringList{"Macro 0", "Clicks"}));
        QVERIFY(QFileInfo::exists(MacroLibrary::forDevice(0).pathOf("Clicks")));
    }

    // F6 plays "Greeting", chosen on the Key page, and in profile 2 as a key
    // stored before names were kept. An imported macro goes in front of it:
    // F6 still plays "Greeting" in both profiles, from the keyboard's slot 1
    // now, and its tip still names it. "Greeting" recorded anew reaches that
    // slot by itself.
    void aKeyKeepsItsMacroAcrossAnImportAndItsEdits()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        MacroLibrary library = MacroLibrary::forDevice(0);
        QVERIFY(library.create("Greeting") && library.save("Greeting", {"0,G,0,10", "1,G,1,10"}, 1, 0, 1));
        QSettings("./modules/setting/name.bin", QSettings::IniFormat)
            .setValue("macro/macroName", QStringList{"Greeting", "loadertravex"});
        myQQuickView *view = rig.window->view();
        const QString pairKey = QStringLiteral("keyboardKeyMatrix/%1").arg(kF6);
        view->setCurrentProfile(1);
        view->setDataList(pairKey, {"5", "0"});
        view->setCurrentProfile(0);
        QVERIFY(QMetaObject::invokeMethod(rig.item("keyboardPages"), "initialise", Q_ARG(QVariant, false),
                                          Q_ARG(QVariant, false), Q_ARG(QVariant, true)));
        QVERIFY(ui::click(*rig.window, "sideButton1"));
        QVERIFY(ui::click(*rig.window, QStringLiteral("key%1").arg(kF6)));
        QVERIFY(chooseRow(rig, "categoryList", 4));
        QTRY_VERIFY(rig.item("macroList") && rig.item("macroList")->isVisible());
        QVERIFY(chooseRow(rig, "macroList", 0));
        QTest::qWait(300);
        QVERIFY(ui::click(*rig.window, "keySaveButton"));
        KeyboardModel *keyboard = rig.keyboard();
        QVERIFY(keyboard);
        QTRY_COMPARE(codeOnKeyboard(keyboard, kF6).toHex(), QByteArray("00000004"));

        const QString exported = rig.workspace.path() + QStringLiteral("/other.mc");
        QVERIFY(library.exportFile("Greeting", exported, nullptr));
        QSettings(exported, QSettings::IniFormat).setValue("macro/0", "0,N,0,10");   // another macro
        FileDialogs::install(std::make_unique<OpenDialogAnswers>(exported));
        QVERIFY(ui::click(*rig.window, "sideButton2"));
        QVERIFY(ui::click(*rig.window, "macroImportButton"));
        FileDialogs::install(nullptr);
        QTRY_COMPARE(editorProperty(rig, "macroNames").toStringList(), (QStringList{"Macro 0", "Greeting"}));
        QTRY_COMPARE(codeOnKeyboard(keyboard, kF6).toHex(), QByteArray("01000004"));
        QCOMPARE(keyboard->macro(1).toHex(' '), tapImage(0x0A).toHex(' '));
        QVariant tip;
        QMetaObject::invokeMethod(rig.item("keyboard"), "tipText", Q_RETURN_ARG(QVariant, tip), Q_ARG(QVariant, kF6));
        QCOMPARE(tip.toString(), QStringLiteral("F6 To Greeting"));
        view->setCurrentProfile(1);
        QCOMPARE(view->getDataList(pairKey, false), (QVariantList{"5", "1"}));
        view->setCurrentProfile(0);

        QVERIFY(ui::click(*rig.window, "macroNameListItem1"));
        QVERIFY(ui::click(*rig.window, "recordButton"));
        press(rig, 0x05);   // B
        QTRY_COMPARE(editorProperty(rig, "actions").toList().size(), 2);
        QVERIFY(ui::click(*rig.window, "recordButton"));
        QTRY_COMPARE(keyboard->macro(1).toHex(' '), tapImage(0x05).toHex(' '));
    }

    // The action list's menu marks the entry the pointer is over, not one
    // fixed entry, when the window does not lie at the screen's corner.
    void contextMenuMarksTheEntryUnderThePointer()
    {
        PageRig rig;
        QVERIFY(rig.ready);
        rig.window->move(rig.window->pos() + QPoint(40, 90));
        QVERIFY(ui::click(*rig.window, "sideButton2"));
        QVERIFY(ui::click(*rig.window, "macroNewButton"));
        QTRY_VERIFY(rig.item("macroNameListItem0") != nullptr);
        QVERIFY(ui::click(*rig.window, "macroEditor", Qt::RightButton, QPointF(400, 100)));
        QTRY_VERIFY(rig.item("actionMenuItem4") && rig.item("actionMenuItem4")->isVisible());
        auto marked = [&] {
            QList<int> entries;
            for (int i = 0; i < 5; ++i)
                if (rig.item(QStringLiteral("actionMenuItem%1").arg(i))->property("highlighted").toBool())
                    entries.append(i);
            return entries;
        };
        QCOMPARE(marked(), QList<int>());
        QTest::mouseMove(rig.window->view(), rig.item("actionMenuItem2")->mapToScene(QPointF(30, 12)).toPoint());
        QTRY_COMPARE(marked(), QList<int>{2});
        QVERIFY(saveScreenshot(rig, "macro-context-menu.png"));
    }
};

QTEST_MAIN(TestMacroEditor)
#include "tst_macro_editor.moc"
