import QtQuick
import QtTest

// The shell's logic against a recording bridge ("ui_View" is a FakeBridge).
TestCase {
    id: testCase
    name: "Shell"
    when: windowShown
    visible: true
    width: 1000
    height: 640

    property var shell: null

    function englishCopy(list) { return list.map(function(s) { return "中" + s }) }

    function make(state, globals, nameList) {
        ui_View.reset()
        ui_Ctl.reset()
        ui_View.connectState = state
        ui_View.globals = globals || { "common/language": "English" }
        ui_View.nameList = nameList || ["profile_00"]
        var component = Qt.createComponent("qrc:/modules/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        shell = component.createObject(testCase)
        verify(shell !== null)
        return shell
    }
    function cleanup() {
        if (shell) { shell.destroy(); shell = null }
    }
    function lastCall() { return ui_View.calls[ui_View.calls.length - 1] }
    // initUI, then until the main screen, built after it, has loaded its pages.
    function startUi() {
        shell.initUI()
        tryVerify(function() { return findChild(shell, "keyboardPages") !== null && shell.pendingPageInit === null }, 5000)
    }
    function confirmation() { return findChild(shell, "confirmation") }
    // Answers the open question: OK (accepted) or Cancel.
    function answer(accepted) {
        var dialog = confirmation()
        verify(dialog.open, "no question was asked")
        tryCompare(shell, "busy", false, 2000)   // the start-up protect period covers it
        mouseClick(findChild(dialog, accepted ? "confirmOk" : "confirmCancel"))
        verify(!dialog.open)
    }
    function question() { return findChild(confirmation(), "confirmQuestion").text }

    function test_keyboardTypeFromTheLowestOfBitsZeroToFour_data() {
        return [
            { tag: "bits 2 and 4", state: 20, type: 2 },
            { tag: "bit 0", state: 1, type: 0 },
            { tag: "bits 3 and 7", state: 0x88, type: 3 },
            { tag: "bit 4", state: 16, type: 4 },
        ]
    }
    function test_keyboardTypeFromTheLowestOfBitsZeroToFour(data) {
        make(data.state)
        shell.initUI()
        compare(shell.keyboardType, data.type)
        compare(shell.deviceConnectState, 1)
        compare(shell.deviceType, "keyboard")
        verify(ui_View.calls.indexOf("setDeviceIndex 0") >= 0)
    }

    // Without a keyboard the panel shows the profile the keyboard uses.
    function test_noKeyboardShowsTheStoredProfile() {
        make(0, { "common/language": "English", "keyboard/profileNo": 3 }, ["profile_00", "game3"])
        shell.initUI()
        verify(ui_View.calls.indexOf("setCurrentProfile 3") >= 0)
        tryVerify(function() { return findChild(shell, "profileItem1") !== null }, 5000)
        verify(findChild(shell, "profileItem1").current)
        compare(findChild(shell, "profilePanel").nameField.text, "game")
    }

    function test_noKeyboardBitsLeaveTheEditionAlone() {
        make(0x20)   // only a bit above 4
        shell.keyboardType = 3
        shell.initUI()
        compare(shell.keyboardType, 3)
        compare(shell.deviceConnectState, 1)

        make(0)
        shell.keyboardType = 1
        shell.initUI()
        compare(shell.keyboardType, 1)
        compare(shell.deviceConnectState, 0)
        compare(shell.deviceType, "null")
        compare(ui_View.count("setDeviceIndex 0"), 0)
        // The profile panel is filled all the same.
        compare(ui_View.count("getNameList 2 0"), 1)
        compare(shell.profileItems.length, 1)
    }

    // A keyboard plugged in after start gets its pages (stored values,
    // nothing sent); unplugged, the hint comes back. Both languages.
    function test_laterInitUiFollowsTheConnectState() {
        make(0, { "common/language": "English", "keyboard/profileNo": 1 }, ["profile_00", "game1"])
        shell.initUI()
        tryVerify(function() { return shell.mainScreenShown && findChild(shell, "noKeyboardHint") !== null }, 5000)
        var hint = findChild(shell, "noKeyboardHint")
        verify(hint.visible)
        compare(findChild(hint, "noKeyboardTitle").text, "No keyboard connected")

        ui_View.connectState = 4
        ui_View.calls = []
        shell.initUI()
        compare(shell.deviceType, "keyboard")
        compare(shell.keyboardType, 2)
        compare(shell.profileNo, 1)
        compare(ui_View.count("setDeviceIndex 0"), 1)
        var sent = /^keyboardSet(RGBEffect|KeyMatrix) .* (1|true)$|^keyboardSetPicture|^keyboardSendMacroData/
        // The pages took the stored values (the effect handed over unsent).
        compare(ui_View.calls.filter(function(c) { return /^keyboardSetRGBEffect .* 0$/.test(c) }).length, 1)
        compare(ui_View.calls.filter(function(c) { return sent.test(c) }), [])
        verify(!hint.visible)

        ui_View.connectState = 0
        shell.initUI()
        compare(shell.deviceType, "null")
        verify(hint.visible)

        make(0, { "common/language": "ChineseSimplified" })
        shell.initUI()
        tryVerify(function() { return findChild(shell, "noKeyboardTitle") !== null }, 5000)
        compare(findChild(shell, "noKeyboardTitle").text, "未连接键盘")
    }

    function test_initUiOrderAndKeyboardSelection() {
        make(1, { "common/language": "English", "keyboard/profileNo": 2 }, ["profile_00", "game2"])
        shell.initUI()
        compare(ui_View.calls.slice(0, 3), ["setEnabled false", "keyboardSetCurrentProfile", "getDeviceConnectState"])
        compare(shell.profileNo, 2)
        verify(ui_View.calls.indexOf("setCurrentProfile 2") >= 0)
        verify(shell.visible)
        verify(shell.isPownOn)
    }

    function test_secondInitUiLeavesPagesAndLanguage() {
        make(1, { "common/language": "ChineseSimplified" })
        var chinese = englishCopy(shell.mainLang)
        ui_View.langStrings = { "main": chinese }
        shell.initUI()
        compare(shell.mainLang[0], chinese[0])
        shell.sidePage = 2
        ui_View.langStrings = { "main": ["other"] }
        ui_View.globals = { "common/language": "English" }
        ui_View.connectState = 8
        shell.initUI()
        compare(shell.sidePage, 2)
        compare(shell.mainLang[0], chinese[0])
        compare(shell.language, "ChineseSimplified")
        compare(shell.keyboardType, 3)
        compare(ui_View.count("getLangStrings main ChineseSimplified"), 1)
        compare(ui_View.count("getNameList 2 0"), 1)
        compare(ui_View.count("keyboardSetCurrentProfile"), 2)
    }

    function test_onlyChineseSimplifiedReplacesTheTexts() {
        make(1, { "common/language": "English" })
        var english = shell.mainLang.slice()
        compare(shell.helpMenuTexts[0], "驱动更新")
        shell.initUI()
        compare(shell.mainLang, english)
        compare(shell.helpMenuTexts[0], "Update")
        compare(shell.helpMenuTexts[1], "Recovery")
        for (var i = 0; i < ui_View.calls.length; ++i)
            verify(ui_View.calls[i].indexOf("getLangStrings") !== 0, ui_View.calls[i])

        var texts = {}
        var sections = ["main", "keyboard", "mouse", "macroEditor", "keyCode"]
        for (var s = 0; s < sections.length; ++s)
            texts[sections[s]] = [sections[s] + " 0", sections[s] + " 1"]
        texts["main"] = englishCopy(english)
        make(1, { "common/language": "ChineseSimplified" })
        ui_View.langStrings = texts
        shell.initUI()
        var asked = ui_View.calls.filter(function(c) { return c.indexOf("getLangStrings") === 0 })
        compare(asked, sections.concat(["other", "prompts"]).map(function(s) { return "getLangStrings " + s + " ChineseSimplified" }))
        compare(shell.mainLang, texts["main"])
        compare(shell.keyboardLang, texts["keyboard"])
        compare(shell.mouseLang, texts["mouse"])
        compare(shell.macroEditorLang, texts["macroEditor"])
        compare(shell.keyCodeString.keyCodeStr, texts["keyCode"])
        compare(shell.helpMenuTexts[0], texts["main"][21])
        // A file without "prompts" keeps the English questions.
        compare(shell.prompt(1, "a$&b"), "Delete the macro \"a$&b\"?")
    }

    function test_protectOfZeroReleasesAtOnce() {
        make(1)
        shell.setProtectUI(0)
        verify(!shell.busy)
        compare(lastCall(), "setEnabled true")
        verify(ui_View.viewEnabled)
    }

    function test_protectBlocksForItsInterval() {
        make(1)
        shell.setProtectUI(300)
        verify(shell.busy)
        verify(!ui_View.viewEnabled)
        compare(shell.busyTime, 300)
        wait(100)
        verify(shell.busy)
        tryCompare(shell, "busy", false, 1000)
        verify(ui_View.viewEnabled)
        verify(shell.mainScreenShown)

        shell.controlUIEnable(false)
        verify(shell.busy)
        verify(!ui_View.viewEnabled)
        shell.controlUIEnable(true)
        verify(!shell.busy)
        verify(ui_View.viewEnabled)
    }

    function test_profileEntriesSplitAtTheLastCharacter() {
        make(1, { "common/language": "English", "keyboard/profileNo": 3 }, ["profile_00", "my_game_13"])
        shell.initUI()
        compare(shell.profileItems.length, 2)
        compare(shell.profileItems[1].name, "my_game_1")
        compare(shell.profileItems[1].number, 3)
        compare(shell.currentProfileName(), "my_game_1")
    }

    function test_sentinelOnlyAfterALoneEntry() {
        make(1, null, ["profile_00", "loadertravex"])
        shell.initUI()
        compare(shell.profileItems.length, 1)
        make(1, null, ["profile_00", "loadertravex", "work1"])
        shell.initUI()
        compare(shell.profileItems.length, 3)
    }

    function test_newTakesTheSmallestFreeNameAndNumber() {
        make(1, null, ["profile_00", "profile_12"])
        startUi()
        ui_View.calls = []
        shell.newProfile()
        compare(ui_View.calls[0], "updataNameList 2 profile_00,profile_12,profile_21 0")
        compare(ui_View.calls[1], "resetProfile 1")
        verify(ui_View.calls.indexOf("setCurrentProfile 1") >= 0)
        verify(ui_View.calls.indexOf("setGlobalData keyboard/profileNo 1") >= 0)
        compare(shell.profileNo, 1)
    }

    function test_atMostSixProfiles() {
        var six = ["a0", "b1", "c2", "d3", "e4", "f5"]
        make(1, { "common/language": "English", "keyboard/profileNo": 4 }, six)
        shell.initUI()
        tryVerify(function() { return findChild(shell, "newBtn") !== null && !shell.busy }, 5000)
        ui_View.calls = []
        // New does nothing, and the panel says why.
        mouseClick(findChild(shell, "newBtn"))
        compare(ui_View.calls, [])
        compare(shell.profileItems.length, 6)
        verify(findChild(shell, "profileLimitNotice").visible)
        // Import then replaces the selected profile, once the user agrees.
        shell.importProfile()
        compare(question(), "Six profiles exist: the imported file replaces the profile \"e\".")
        answer(false)
        compare(ui_View.calls, [])
        shell.importProfile()
        answer(true)
        compare(ui_View.count("loadProfile 4"), 1)
        compare(ui_View.calls.filter(function(c) { return c.indexOf("updataNameList") === 0 }).length, 0)
        compare(shell.profileItems.length, 6)
        verify(ui_View.calls.indexOf("keyboardSetKeyMatrix 504 1") > 0)
    }

    // A profile is added only for a file that was read: a cancelled dialog
    // or a file the bridge refused adds, writes and sends nothing.
    function test_importAddsOnlyWhatWasRead_data() {
        return [ { tag: "read", loads: true, then: "updataNameList 2 profile_00,x1,profile_12 0", profile: 2, items: 3 },
                 { tag: "cancelled or refused", loads: false, then: undefined, profile: 0, items: 2 } ]
    }
    function test_importAddsOnlyWhatWasRead(data) {
        make(1, null, ["profile_00", "x1"])
        startUi()
        ui_View.profileLoads = data.loads
        ui_View.calls = []
        shell.importProfile()
        compare(ui_View.calls.slice(0, 2), ["loadProfile 2", data.then].filter(function(c) { return c !== undefined }))
        compare([shell.profileNo, shell.profileItems.length], [data.profile, data.items])
    }

    // A deleted profile's store goes back to the factory values: no later
    // New or Import (even one that fails) shows its old settings.
    function test_deleteAsksAndResetsTheStore() {
        make(1, null, ["profile_00", "x1", "y2"])
        startUi()
        shell.chooseProfile(2)
        ui_View.calls = []
        shell.deleteProfile()
        compare(question(), "Delete the profile \"y\"?")
        keyClick(Qt.Key_Escape)
        verify(!confirmation().open)
        compare(ui_View.calls, [])
        shell.deleteProfile()
        answer(true)
        compare(ui_View.calls.slice(0, 2), ["updataNameList 2 profile_00,x1 0", "resetProfile 2"])
        compare(shell.profileNo, 1)
    }

    function test_theFirstProfileCannotBeDeleted() {
        make(1, null, ["profile_00", "x1", "y2"])
        startUi()
        compare(shell.profileNo, 0)
        ui_View.calls = []
        shell.deleteProfile()
        verify(!confirmation().open)
        compare(ui_View.calls, [])
        compare(shell.profileItems.length, 3)

        shell.chooseProfile(2)
        ui_View.calls = []
        shell.deleteProfile()
        answer(true)
        compare(ui_View.calls[0], "updataNameList 2 profile_00,x1 0")
        compare(shell.profileNo, 1)
    }

    // A delete in the middle leaves positions and numbers apart: every later
    // step must still reach the chosen item's own store, also after a restart.
    function test_deleteInTheMiddleKeepsEachProfileOnItsOwnStore() {
        make(1, null, ["profile_00"])
        shell.initUI()
        shell.newProfile()
        shell.newProfile()
        shell.chooseProfile(1)
        shell.deleteProfile()
        answer(true)
        compare(ui_View.nameList, ["profile_00", "profile_22"])
        ui_View.calls = []
        shell.chooseProfile(1)
        compare(shell.profileNo, 2)
        verify(ui_View.calls.indexOf("setCurrentProfile 2") >= 0)
        verify(ui_View.calls.indexOf("setGlobalData keyboard/profileNo 2") >= 0)
        compare(shell.currentProfileName(), "profile_2")
        verify(shell.renameProfile("arena"))
        compare(ui_View.nameList, ["profile_00", "arena2"])
        shell.exportProfile()
        compare(lastCall(), "saveProfile 2")

        var globals = ui_View.globals, names = ui_View.nameList
        cleanup()
        make(1, globals, names)
        shell.initUI()
        compare(shell.profileNo, 2)
        compare(shell.currentProfileName(), "arena")
        verify(ui_View.calls.indexOf("setCurrentProfile 2") >= 0)
        ui_View.calls = []
        shell.deleteProfile()
        answer(true)
        verify(ui_View.calls.indexOf("updataNameList 2 profile_00 0") >= 0)
        compare(shell.profileNo, 0)
    }

    function test_renameRefusesAUsedName() {
        make(1, null, ["profile_00", "x1"])
        startUi()
        ui_View.calls = []
        verify(!shell.renameProfile("x"))
        verify(!shell.renameProfile("loadertravex"))
        compare(ui_View.calls, [])
        compare(shell.profileItems[0].name, "profile_0")
        verify(shell.renameProfile("arena"))
        compare(ui_View.calls, ["updataNameList 2 arena0,x1 0"])
        compare(shell.currentProfileName(), "arena")
    }

    // Nothing drawn over something else: the busy text beside the power-on
    // logo, the help menu below the title-bar buttons.
    function test_busyTextAndHelpMenuCoverNothing() {
        make(1)
        shell.initUI()
        var logo = findChild(shell, "powerOnLogo"), label = findChild(shell, "busyLabel")
        tryVerify(function() { return logo.status === Image.Ready })
        verify(label.visible && logo.visible)
        var backdrop = findChild(shell, "busyBackdrop")
        var l = backdrop.mapToItem(shell, 0, 0), g = logo.mapToItem(shell, 0, 0)
        verify(l.y >= g.y + logo.height || l.y + backdrop.height <= g.y, "busy text over the logo")
        // The text sits on a plate of its own, not straight over the page.
        var t = label.mapToItem(backdrop, 0, 0)
        verify(backdrop.visible && backdrop.opacity >= 0.85)
        verify(t.x >= 0 && t.y >= 0 && t.x + label.width <= backdrop.width && t.y + label.height <= backdrop.height)
        tryVerify(function() { return findChild(shell, "titleBarButtons") !== null }, 5000)
        shell.helpMenuOpen = true
        var bar = findChild(shell, "titleBarButtons"), menu = findChild(shell, "helpMenu")
        verify(menu.y >= bar.y + bar.height, "help menu over the title-bar buttons")
    }

    // The insert-key dialog holds back the whole window, not only the macro
    // area, and its dimming stays inside the window.
    function test_insertKeyDialogCoversTheWindow() {
        make(1)
        shell.initUI()
        tryVerify(function() { return shell.mainScreenShown && findChild(shell, "macroEditor") !== null }, 5000)
        shell.sidePage = 2
        var editor = findChild(shell, "macroEditor")
        tryVerify(function() { return editor.view !== null })
        editor.insertKeyOpen = true
        var overlay = findChild(shell, "insertKeyDialog").parent
        verify(overlay.visible)
        var at = overlay.mapToItem(shell, 0, 0)
        compare([at.x, at.y, overlay.width, overlay.height], [0, 0, shell.width, shell.height])
    }

    function test_helpMenuEntries() {
        make(4)
        shell.initUI()
        tryVerify(function() { return findChild(shell, "keyboardPages") !== null && !shell.busy }, 5000)
        shell.helpMenuOpen = true
        ui_View.calls = []
        shell.runHelpEntry(0)
        compare(ui_View.calls, ["openUpdateExe 2"])
        verify(!shell.helpMenuOpen)
        // Recovery asks first.
        shell.runHelpEntry(1)
        compare(question(), "Restore the factory settings of the profile \"profile_0\"? Its lighting and key settings are replaced.")
        answer(false)
        compare(ui_View.calls.length, 1)
        shell.runHelpEntry(1)
        answer(true)
        var recovery = ui_View.calls.slice(1)
        compare(recovery.slice(0, 2), ["setEnabled false", "resetProfile 0"])
        verify(recovery.indexOf("keyboardSetKeyMatrix 504 1") > 0, "the factory matrix is sent")
        compare(recovery[recovery.length - 1], "setEnabled true")
        shell.helpMenuOpen = true
        shell.mainFocus()
        verify(!shell.helpMenuOpen)

        // Without a tray the menu also offers Quit, in the UI's language.
        shell.toggleHelpMenu()
        compare(shell.helpMenuEntries.length, 3)
        shell.toggleHelpMenu()
        ui_Ctl.trayAvailable = false
        shell.toggleHelpMenu()
        compare(shell.helpMenuEntries[3], "Quit")
        ui_Ctl.calls = []
        shell.runHelpEntry(3)
        compare(ui_Ctl.calls, ["quit"])
        ui_View.langStrings = { "tray": ["显示", "退出"] }
        shell.language = "ChineseSimplified"
        shell.toggleHelpMenu()
        compare(shell.helpMenuEntries[3], "退出")
    }

    function test_capturedInputBecomesSignals() {
        make(1)
        var spy = createTemporaryObject(signalSpyComponent, testCase, { target: shell, signalName: "msg_KB" })
        shell.detectKeyboard(true, 4)
        compare(spy.count, 1)
        compare(spy.signalArguments[0][0], true)
        compare(spy.signalArguments[0][1], 4)
    }

    function test_draggingTheBackgroundMovesTheWindow_data() {
        return [
            // No move of the window system's own: the window follows by offsets.
            { tag: "by offsets", systemMoves: false,
              calls: ["startSystemMove", "onXChanged 12", "onYChanged -5", "onXChanged 20", "onYChanged -5"] },
            // The window system moves it: asked once per drag, no offsets.
            { tag: "by the window system", systemMoves: true, calls: ["startSystemMove"] },
        ]
    }

    function test_draggingTheBackgroundMovesTheWindow(data) {
        make(1)
        shell.initUI()
        tryCompare(shell, "busy", false, 2000)
        ui_Ctl.systemMoves = data.systemMoves
        for (var drag = 0; drag < 2; ++drag) {
            ui_Ctl.calls = []
            mousePress(shell, 500, 600)
            mouseMove(shell, 512, 595, -1, Qt.LeftButton)
            mouseMove(shell, 520, 595, -1, Qt.LeftButton)
            mouseRelease(shell, 520, 595)
            compare(ui_Ctl.calls, data.calls, "drag " + drag)
        }
        ui_Ctl.systemMoves = false
    }

    Component { id: signalSpyComponent; SignalSpy {} }
}
