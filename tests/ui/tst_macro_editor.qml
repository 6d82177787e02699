import QtQuick
import QtTest
import Gearconsole.Macros 1.0
import "qrc:/modules/qml/J2"
import "qrc:/modules/qml/basic"
import "qrc:/modules/qml/basic/strings.js" as Strings

// The macro editor against a recording bridge ("ui_View" is a FakeBridge).
TestCase {
    id: testCase
    name: "MacroEditor"
    when: windowShown
    visible: true
    width: 809
    height: 510

    Component {
        id: shellStub
        Item {
            anchors.fill: parent
            property var mainLang: Strings.mainLang
            property var macroEditorLang: Strings.macroEditorLang
            property var promptLang: Strings.prompts
            property alias keyCodeString: keys
            // The shell's confirmation: the question is kept, the action
            // runs when the test answers OK.
            property var asked: []
            property var pendingAction: null
            function askToConfirm(question, action) {
                asked = asked.concat([question])
                pendingAction = action
            }
            KeyCodeString { id: keys }
        }
    }
    Component { id: editorComponent; MacroEditor {} }
    Component { id: spyOf; SignalSpy {} }

    property var editor: null
    property var shell: null

    // An editor over the given macro names and stored macros, initialised.
    function make(names, inis, pages) {
        ui_View.reset()
        ui_View.macroNames = names
        ui_View.macroInis = inis || {}
        shell = createTemporaryObject(shellStub, testCase)
        var host = pages || {}
        host.shell = shell
        editor = createTemporaryObject(editorComponent, testCase, { pages: host })
        verify(editor !== null)
        editor.initialise()
        ui_View.calls = []
        return editor
    }
    function callsStartingWith(prefix) {
        return ui_View.calls.filter(function(c) { return c.indexOf(prefix) === 0 })
    }
    function lastSave() {
        var saves = callsStartingWith("saveMacroIni ")
        return saves.length > 0 ? saves[saves.length - 1] : ""
    }
    function lines() {
        return editor.actions.map(function(a) { return a.type + "," + a.key + "," + a.action + "," + a.delay })
    }
    function find(item, objectName) {
        if (!item)
            return null
        if (item.objectName === objectName)
            return item
        var children = item.children
        for (var i = 0; i < children.length; ++i) {
            var found = find(children[i], objectName)
            if (found)
                return found
        }
        return null
    }
    // Rows of the list views exist once the views have laid them out.
    function item(objectName) {
        var found = null
        // The insert-key dialog lies over the shell, the rest inside the editor.
        tryVerify(function() { found = find(editor, objectName) || find(shell, objectName); return found !== null }, 2000,
                  "no item " + objectName)
        return found
    }
    // n actions "A" press/release alternately.
    function stored(n, tail) {
        var list = []
        for (var i = 0; i < n; ++i)
            list.push((i % 2) + ",A," + (i % 2) + ",10")
        return list.concat(tail || ["1", "0", "1"])
    }

    // ---- Loading ----

    function test_initialiseDropsTheSentinelOfALoneName() {
        make(["Macro 0", "loadertravex"], { "Macro 0": ["0,A,0,30", "1,A,1,10", "3", "1", "7"] })
        compare(editor.macroNames, ["Macro 0"])
        compare(editor.currentMacro, 0)
        compare(lines(), ["0,A,0,30", "1,A,1,10"])
        verify(editor.recordDelay)
        compare(editor.times, 7)               // the third trailing value is shown
        compare(item("timesField").text, "7")

        make(["one", "loadertravex", "three"])
        compare(editor.macroNames, ["one", "loadertravex", "three"])
        make(["Macro 0", "other"])
        compare(editor.macroNames, ["Macro 0", "other"])
    }

    function test_initialiseAnnouncesTheNamesAndLoadsTheFirst() {
        ui_View.reset()
        ui_View.macroNames = ["m1", "m2"]
        shell = createTemporaryObject(shellStub, testCase)
        editor = createTemporaryObject(editorComponent, testCase, { pages: { shell: shell } })
        var spy = createTemporaryObject(spyOf, testCase, { target: editor, signalName: "macroListChanged" })
        editor.initialise()
        compare(ui_View.calls, ["getNameList 0 0", "loadMacroIni m1 0"])
        compare(spy.count, 1)
        compare(editor.macroNames, ["m1", "m2"])

        make([])
        compare(editor.currentMacro, -1)
        compare(editor.actions.length, 0)
    }

    function test_actionLinesAreParsedFieldByField() {
        make(["m"], { "m": ["0,Space,0,120", "2,MS-L,0,0", "3,MS-L,1,65535", "0,,,0,20", "1,,,1,5",
                            "broken", "1", "0", "2"] })
        compare(editor.actions.length, 5)      // the unreadable line is skipped
        compare(editor.actions[0], { type: 0, key: "Space", action: 0, delay: 120 })
        compare(editor.actions[1], { type: 2, key: "MS-L", action: 0, delay: 0 })
        compare(editor.actions[2], { type: 3, key: "MS-L", action: 1, delay: 65535 })
        compare(editor.actions[3], { type: 0, key: ",", action: 0, delay: 20 })   // the comma key
        compare(editor.actions[4], { type: 1, key: ",", action: 1, delay: 5 })
        verify(!editor.recordDelay)
        compare(editor.times, 2)

        // A macro without a file loads empty, played once.
        make(["gone"], { "gone": [] })
        compare(editor.actions.length, 0)
        compare(editor.times, 1)
        verify(!editor.recordDelay)
    }

    function test_clickingANameLoadsIt() {
        make(["a", "b"], { "b": ["0,B,0,10", "1,B,1,10", "1", "0", "1"] })
        mouseClick(item("macroNameListItem1"))
        compare(editor.currentMacro, 1)
        compare(ui_View.calls, ["loadMacroIni b 0"])
        compare(lines(), ["0,B,0,10", "1,B,1,10"])
    }

    // ---- Names ----

    function test_newTakesTheSmallestFreeNumber() {
        make(["Macro 0", "Macro 2", "mine"])
        var spy = createTemporaryObject(spyOf, testCase, { target: editor, signalName: "macroListChanged" })
        mouseClick(item("macroNewButton"))
        compare(ui_View.calls.slice(0, 2), ["createMacroIni Macro 1 0",
                                            "updataNameList 0 Macro 0,Macro 2,mine,Macro 1 0"])
        compare(editor.macroNames, ["Macro 0", "Macro 2", "mine", "Macro 1"])
        compare(editor.currentMacro, 3)
        compare(callsStartingWith("keyboardFollowMacroList"), [])   // an appended macro moves no key
        compare(spy.count, 1)

        make(["Macro 1", "Macro 10"])
        editor.newMacro()
        compare(editor.macroNames, ["Macro 1", "Macro 10", "Macro 0"])
    }

    function test_atMostOneHundredMacros() {
        var names = []
        for (var i = 0; i < 99; ++i)
            names.push("Macro " + i)
        make(names.concat(["x"]))
        editor.newMacro()
        editor.importMacro()
        compare(ui_View.calls, [])
        verify(item("macroNameNotice").visible)
        compare(editor.macroNames.length, 100)

        // 99 macros: the one free number below 100 is taken.
        make(names.slice(0, 57).concat(names.slice(58)).concat(["x"]))
        editor.newMacro()
        compare(editor.macroNames[99], "Macro 57")
        compare(editor.macroNames.length, 100)
    }

    function test_importGoesInFrontOfTheSelectedMacro() {
        make(["Macro 0", "b", "c"])
        editor.select(1)
        ui_View.calls = []
        ui_View.macroFileLoads = true
        mouseClick(item("macroImportButton"))
        compare(ui_View.calls[0], "loadMacroFile Macro 1 0")
        compare(callsStartingWith("createMacroIni").length, 0)
        compare(callsStartingWith("updataNameList"), ["updataNameList 0 Macro 0,Macro 1,b,c 0"])
        // The bridge moves every profile's macro keys with their macros.
        compare(callsStartingWith("keyboardFollowMacroList"), ["keyboardFollowMacroList Macro 0,b,c 0,2,3 Macro 0,Macro 1,b,c"])
        compare(editor.currentMacro, 1)

        // Cancelled: nothing is added, created or written.
        ui_View.calls = []
        ui_View.macroFileLoads = false
        editor.importMacro()
        compare(ui_View.calls, ["loadMacroFile Macro 2 0"])
        compare(editor.macroNames, ["Macro 0", "Macro 1", "b", "c"])
        compare(editor.currentMacro, 1)

        // Imported, yet no macro to show and none can be made: nothing is added.
        ui_View.calls = []
        ui_View.macroFileLoads = true
        ui_View.macroCreates = false
        ui_View.macroInis = { "Macro 2": [] }
        editor.importMacro()
        compare(callsStartingWith("createMacroIni"), ["createMacroIni Macro 2 0"])
        compare(callsStartingWith("updataNameList").length, 0)
        compare(editor.macroNames, ["Macro 0", "Macro 1", "b", "c"])
    }

    function test_exportAndDeleteUseTheSelectedMacro() {
        make(["a", "b", "c"])
        editor.select(2)
        ui_View.calls = []
        mouseClick(item("macroExportButton"))
        compare(ui_View.calls, ["saveMacroFile c 0"])
        ui_View.calls = []
        mouseClick(item("macroDeleteButton"))
        // Asked first; nothing is deleted until the user agrees.
        compare(shell.asked, ["Delete the macro \"c\"?"])
        compare(ui_View.calls, [])
        shell.pendingAction()
        compare(ui_View.calls.slice(0, 3), ["deleteMacroIni c 0", "updataNameList 0 a,b 0",
                                            "keyboardFollowMacroList a,b,c 0,1,-1 a,b"])
        compare(editor.macroNames, ["a", "b"])
        compare(editor.currentMacro, 1)
    }

    // A macro a key plays reaches the keyboard once the edits pause, and at
    // once when the editor is left; a macro no key plays is not sent.
    function test_aSavedMacroThatAKeyPlaysIsSent() {
        make(["m", "n"], { "m": stored(2), "n": stored(2) }, { keyPlaysMacro: function(m) { return m === 0 } })
        editor.selectedAction = 1
        editor.moveAction("first")
        editor.moveAction("last")
        compare(callsStartingWith("keyboardSendMacroData"), [])
        tryCompare(ui_View.sentMacros, "length", 1, 2000)
        compare(ui_View.sentMacros[0], [0, MacroImages.deCode(stored(2).slice(0, 2), 1)])
        editor.deleteAllActions()
        editor.visible = false
        compare(ui_View.sentMacros.length, 2)
        editor.visible = true
        editor.select(1)
        editor.deleteAllActions()
        wait(700)
        compare(ui_View.sentMacros.length, 2)
    }

    // The limits are told where they stop something.
    function test_limitsAreTold() {
        make(["m"], { "m": stored(28) })
        editor.menuEntry(1)
        verify(item("macroActionNotice").visible)
        make(["m"])
        editor.toggleRecording()
        for (var k = 0; k < 30; ++k)
            editor.keyReported(k % 2 === 0, 0x04)
        verify(item("macroActionNotice").held)   // for as long as the full recording runs
        editor.toggleRecording()
        verify(!item("macroActionNotice").held)
    }

    // "Times" is taken on Enter, before another macro is chosen, and when
    // the editor is left, not only when the field loses the focus.
    function test_timesIsCommittedOnEnterAndBeforeLeaving() {
        make(["m", "n"], { "m": stored(2), "n": stored(2, ["3", "0", "3"]) })
        var field = item("timesField")
        function typeTimes(text) {
            mouseClick(field, 40, 10)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < text.length; ++i)
                keyClick(text.charAt(i))
        }
        typeTimes("5")
        keyClick(Qt.Key_Return)
        compare(lastSave(), "saveMacroIni m 0,A,0,10,1,A,1,10 5 0 0 5")
        typeTimes("7")
        mouseClick(item("macroNameListItem1"))
        compare(callsStartingWith("saveMacroIni m ").slice(-1), ["saveMacroIni m 0,A,0,10,1,A,1,10 7 0 0 7"])
        compare([editor.currentMacro, field.text], [1, "3"])
        typeTimes("9")
        editor.visible = false
        compare(lastSave(), "saveMacroIni n 0,A,0,10,1,A,1,10 9 0 0 9")
    }

    function renameTo(row, text) {
        var rowItem = item("macroNameListItem" + row)
        mouseDoubleClickSequence(rowItem)
        var input = find(rowItem, "macroNameInput")
        tryVerify(function() { return input.activeFocus })
        input.selectAll()
        keyClick(Qt.Key_Delete)
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
    }

    function test_renameTakesOnlyAnUnusedName() {
        make(["a", "b"])
        renameTo(1, "a")
        keyClick(Qt.Key_Return)
        compare(callsStartingWith("modifyMacroName").length, 0)
        compare(callsStartingWith("updataNameList").length, 0)
        compare(editor.macroNames, ["a", "b"])

        renameTo(1, "zz")
        keyClick(Qt.Key_Return)
        compare(ui_View.calls.slice(-3), ["modifyMacroName b zz 0", "updataNameList 0 a,zz 0",
                                          "keyboardFollowMacroList a,b 0,1 a,zz"])
        compare(editor.macroNames, ["a", "zz"])

        // A press elsewhere ends the edit the same way.
        renameTo(0, "first")
        editor.endEditing()
        compare(editor.macroNames, ["first", "zz"])
        compare(editor.renaming, -1)

        renameTo(0, "")
        editor.endEditing()
        compare(editor.macroNames, ["first", "zz"])

        // The name lists' end marker would drop the macro at the next start.
        renameTo(1, "loadertravex")
        editor.endEditing()
        compare(editor.macroNames, ["first", "zz"])
        compare(callsStartingWith("modifyMacroName").length, 2)
    }

    // ---- Recording ----

    function test_recordingWithoutRecordDelayKeepsTenMs() {
        make(["m"], { "m": stored(4) })
        mouseClick(item("recordButton"))
        verify(editor.recording)
        compare(editor.actions.length, 0)      // cleared when recording starts
        editor.ticks = 37
        editor.keyReported(true, 0x04)
        editor.ticks = 12
        editor.keyReported(false, 0x04)
        editor.keyReported(true, 0xF0)         // mouse button left
        editor.keyReported(false, 0xF0)
        compare(lines(), ["0,A,0,10", "1,A,1,10", "2,MS-L,0,10", "3,MS-L,1,10"])
        compare(callsStartingWith("saveMacroIni").length, 0)
        mouseClick(item("recordButton"))
        verify(!editor.recording)
        compare(lastSave(), "saveMacroIni m 0,A,0,10,1,A,1,10,2,MS-L,0,10,3,MS-L,1,10 1 0 0 1")
    }

    function test_recordDelayTakesTheTicksSinceThePreviousAction() {
        make(["m"], { "m": stored(0, ["3", "1", "3"]) })
        verify(editor.recordDelay)
        editor.toggleRecording()
        editor.ticks = 50
        editor.keyReported(true, 0x05)         // the first action has no predecessor
        editor.ticks = 23
        editor.keyReported(false, 0x05)
        compare(editor.ticks, 0)               // the counter restarts
        editor.ticks = 6600                    // 66 s: more than a delay can hold
        editor.keyReported(true, 0xF2)
        editor.keyReported(false, 0xF2)
        compare(lines(), ["0,B,0,230", "1,B,1,65535", "2,MS-M,0,0", "3,MS-M,1,10"])
        editor.toggleRecording()
        compare(lastSave(), "saveMacroIni m 0,B,0,230,1,B,1,65535,2,MS-M,0,0,3,MS-M,1,10 3 0 1 3")
    }

    function test_theCounterTicksEveryTenMs() {
        make(["m"])
        editor.toggleRecording()
        editor.ticks = 0
        wait(200)
        verify(editor.ticks >= 5 && editor.ticks <= 21, "ticks " + editor.ticks)
        editor.toggleRecording()
        var stopped = editor.ticks
        wait(60)
        compare(editor.ticks, stopped)
    }

    function test_recordingStopsAddingAtTwentyEight() {
        make(["m"])
        editor.toggleRecording()
        for (var i = 0; i < 20; ++i) {
            editor.keyReported(true, 0x04 + i)
            editor.keyReported(false, 0x04 + i)
        }
        compare(editor.actions.length, 28)
        compare(editor.actions[27].key, shell.keyCodeString.keycodeTostr(0x04 + 13))
        // Usages without a name are refused, not recorded as unknown keys.
        make(["m"])
        editor.toggleRecording()
        editor.keyReported(true, 0x01)
        compare(editor.actions.length, 0)
        // Nothing is recorded without a selected macro, or when not recording.
        make([])
        editor.toggleRecording()
        editor.keyReported(true, 0x04)
        compare(editor.actions.length, 0)
        make(["m"])
        editor.keyReported(true, 0x04)
        compare(editor.actions.length, 0)
    }

    // Labelled by what a click does.
    function test_recordToggleShowsWhatAClickDoes() {
        make(["m"])
        var toggle = item("recordButton")
        compare(item("recordState").text, "Start Record")
        verify(toggle.name === "recordBtn")
        editor.toggleRecording()
        compare(item("recordState").text, "Stop Record")
        verify(toggle.name === "stopBtn")
        // Choosing another macro ends the recording and keeps what was recorded.
        editor.keyReported(true, 0x04)
        editor.select(0)
        verify(!editor.recording)
        compare(lastSave(), "saveMacroIni m 0,A,0,10 1 0 0 1")
    }

    // ---- Context menu ----

    function test_insertedPairsGoBeforeTheSelectionOrAtTheEnd() {
        make(["m"], { "m": ["0,A,0,10", "1,A,1,10", "0,B,0,10", "1", "0", "1"] })
        // Right-click on the first row: it is selected, the menu opens at the pointer.
        mouseClick(item("actionListItem0"), 40, 12, Qt.RightButton)
        compare(editor.selectedAction, 0)
        var entry = item("actionMenuItem1")
        verify(entry.parent.parent.visible)
        mouseClick(entry)
        compare(lines(), ["3,MS-L,0,10", "4,MS-L,1,10", "0,A,0,10", "1,A,1,10", "0,B,0,10"])
        compare(lastSave(), "saveMacroIni m 3,MS-L,0,10,4,MS-L,1,10,0,A,0,10,1,A,1,10,0,B,0,10 1 0 0 1")

        editor.selectedAction = 4              // the last one: appended
        editor.menuEntry(3)
        compare(lines().slice(5), ["3,MS-R,0,10", "4,MS-R,1,10"])
        editor.selectedAction = 3
        editor.menuEntry(2)
        compare(lines().slice(3, 6), ["3,MS-M,0,10", "4,MS-M,1,10", "1,A,1,10"])
        compare(editor.selectedAction, 3)
    }

    function test_withNothingChosenPairsAreAppended() {
        make(["m"], { "m": ["0,A,0,10", "1,A,1,10", "1", "0", "1"] })
        compare(editor.selectedAction, -1)
        editor.menuEntry(2)
        compare(lines(), ["0,A,0,10", "1,A,1,10", "3,MS-M,0,10", "4,MS-M,1,10"])
        compare(editor.selectedAction, 2)
    }

    function test_menuInsertsOnlyBelowTwentyEight() {
        make(["m"], { "m": stored(27) })
        editor.selectedAction = 26
        editor.menuEntry(1)
        compare(editor.actions.length, 29)     // a pair may pass 28
        var saves = callsStartingWith("saveMacroIni").length
        editor.menuEntry(1)
        editor.menuEntry(4)
        verify(!editor.insertKeyOpen)
        compare(editor.actions.length, 29)
        compare(callsStartingWith("saveMacroIni").length, saves)

        make(["m"], { "m": stored(28) })
        editor.menuEntry(3)
        compare(editor.actions.length, 28)
        // Deleting is always possible.
        editor.selectedAction = 0
        editor.menuEntry(0)
        compare(editor.actions.length, 27)
    }

    function test_insertKeyDialogTakesKeyboardKeysOnly() {
        make(["m"], { "m": stored(2) })
        editor.selectedAction = 1
        editor.menuEntry(4)
        verify(editor.insertKeyOpen)
        verify(item("insertKeyDialog").visible)
        editor.keyReported(true, 0x16)         // S
        editor.keyReported(true, 0xF1)         // a mouse button is not a key here
        compare(item("insertKeyName").text, "S")
        compare(editor.actions.length, 2)      // nothing is recorded meanwhile
        mouseClick(item("insertKeyOk"))
        verify(!editor.insertKeyOpen)
        compare(lines(), ["0,A,0,10", "1,A,1,10", "0,S,0,10", "1,S,1,10"])

        editor.selectedAction = 0
        editor.menuEntry(4)
        editor.keyReported(true, 0x17)
        mouseClick(item("insertKeyCancel"))
        verify(!editor.insertKeyOpen)
        compare(editor.actions.length, 4)
        // OK without a key adds nothing.
        editor.menuEntry(4)
        mouseClick(item("insertKeyOk"))
        compare(editor.actions.length, 4)
    }

    // ---- Editing ----

    function editDelay(row, text) {
        var rowItem = item("actionListItem" + row)
        mouseDoubleClickSequence(rowItem, 450, 15)
        var input = find(rowItem, "delayInput")
        tryVerify(function() { return input.activeFocus })
        input.selectAll()
        keyClick(Qt.Key_Delete)
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
        keyClick(Qt.Key_Return)
    }

    function test_delayEditingKeepsZeroTo65535() {
        make(["m"], { "m": stored(2) })
        editDelay(1, "65535")
        compare(editor.actions[1].delay, 65535)
        compare(lastSave(), "saveMacroIni m 0,A,0,10,1,A,1,65535 1 0 0 1")
        editDelay(1, "65536")
        compare(editor.actions[1].delay, 65535)
        editDelay(0, "x12")
        compare(editor.actions[0].delay, 10)
        editDelay(0, "")
        compare(editor.actions[0].delay, 10)
        editDelay(0, "0")
        compare(editor.actions[0].delay, 0)
        compare(callsStartingWith("saveMacroIni").length, 2)
    }

    function test_timesFieldIsTheRepeatCount() {
        make(["m"], { "m": stored(2) })
        var field = item("timesField")
        var cases = [["250", 250], ["", 0], ["0", 0], ["9999", 9999]]
        for (var i = 0; i < cases.length; ++i) {
            field.inputFocus = true
            field.text = cases[i][0]
            field.inputFocus = false
            compare(editor.times, cases[i][1])
            compare(lastSave(), "saveMacroIni m 0,A,0,10,1,A,1,10 " + cases[i][1] + " 0 0 " + cases[i][1])
        }
        verify(field.text.length <= 4)
        // "Times" stays ticked.
        var boxes = []
        function collect(it) {
            if (it.text === "Times" && it.selected !== undefined) boxes.push(it)
            for (var c = 0; c < it.children.length; ++c) collect(it.children[c])
        }
        collect(editor)
        compare(boxes.length, 1)
        mouseClick(boxes[0], 5, 8)
        verify(boxes[0].selected)
    }

    function test_recordDelayBoxIsStoredAndFollowsTheMacro() {
        make(["m", "n"], { "m": stored(2), "n": stored(0, ["1", "1", "1"]) })
        var box = item("recordDelayBox")
        mouseClick(box, 5, 8)
        verify(editor.recordDelay)
        compare(lastSave(), "saveMacroIni m 0,A,0,10,1,A,1,10 1 0 1 1")
        mouseClick(box, 5, 8)
        verify(!editor.recordDelay)
        verify(!box.selected)
        editor.select(1)
        verify(box.selected)
        editor.select(0)
        verify(!box.selected)
    }

    function test_moveAndDeleteButtons() {
        make(["m"], { "m": ["0,A,0,10", "0,B,0,10", "0,C,0,10", "0,D,0,10", "1", "0", "1"] })
        function keys() { return editor.actions.map(function(a) { return a.key }).join("") }
        mouseClick(item("actionListItem2"))
        compare(editor.selectedAction, 2)
        mouseClick(item("actionFirstButton"))
        compare(keys(), "CABD")
        compare(editor.selectedAction, 0)
        mouseClick(item("actionLastButton"))
        compare(keys(), "ABDC")
        mouseClick(item("actionUpButton"))
        compare(keys(), "ABCD")
        compare(editor.selectedAction, 2)
        mouseClick(item("actionDownButton"))
        compare(keys(), "ABDC")
        mouseClick(item("actionDownButton"))   // already last
        compare(keys(), "ABDC")
        mouseClick(item("actionDeleteButton"))
        compare(keys(), "ABD")
        compare(lastSave(), "saveMacroIni m 0,A,0,10,0,B,0,10,0,D,0,10 1 0 0 1")
        mouseClick(item("actionDeleteAllButton"))
        compare(editor.actions.length, 0)
        compare(lastSave(), "saveMacroIni m  1 0 0 1")
        compare(callsStartingWith("saveMacroIni").length, 7)
    }

    // ---- Built on first show ----

    function test_visiblePartIsBuiltOnFirstShowAndKept() {
        ui_View.reset()
        ui_View.macroNames = ["m", "n"]
        ui_View.macroInis = { "m": ["0,A,0,10", "1,A,1,10", "3", "1", "7"], "n": stored(2) }
        shell = createTemporaryObject(shellStub, testCase)
        editor = createTemporaryObject(editorComponent, testCase, { pages: { shell: shell }, visible: false })
        editor.initialise()
        editor.endEditing()                    // a background press
        compare(editor.view, null)
        compare(find(editor, "macroNameList"), null)
        // Recording state reached while hidden is what the first show shows.
        editor.toggleRecording()
        editor.keyReported(true, 0x04)
        compare(lines(), ["0,A,0,10"])

        editor.visible = true
        var view = editor.view
        verify(view !== null)
        compare(item("recordState").text, "Stop Record")
        compare(item("timesField").text, "7")
        verify(item("recordDelayBox").selected)
        compare(item("macroNameList").currentIndex, 0)
        verify(item("actionListItem0").visible)
        compare(find(editor, "actionListItem1"), null)

        // Hidden again: loading another macro and the insert-key dialog
        // reach the view that is kept.
        editor.visible = false
        editor.select(1)
        editor.menuEntry(4)
        editor.keyReported(true, 0x16)         // S
        editor.visible = true
        compare(editor.view, view)
        compare(item("timesField").text, "1")
        verify(!item("recordDelayBox").selected)
        compare(item("recordState").text, "Start Record")
        compare(item("macroNameList").currentIndex, 1)
        verify(item("insertKeyDialog").visible)
        compare(item("insertKeyName").text, "S")
        mouseClick(item("insertKeyOk"))
        verify(!editor.insertKeyOpen)
        verify(!item("insertKeyDialog").visible)
        compare(lines(), ["0,A,0,10", "1,A,1,10", "0,S,0,10", "1,S,1,10"])
    }

    // ---- Sending ----

    function test_sendMacroSendsTheStoredImage() {
        var m1 = ["0,A,0,30", "1,A,1,2570", "2,MS-L,0,5", "0,,,0,10", "300", "1", "4"]
        make(["m0", "m1"], { "m0": stored(2), "m1": m1 })
        editor.sendMacro(1)
        compare(ui_View.calls, ["loadMacroIni m1 0", "keyboardSendMacroData 1"])
        compare(ui_View.sentMacros.length, 1)
        compare(ui_View.sentMacros[0][0], 1)
        // The repeat (first trailing value) is the count, not the times shown.
        compare(ui_View.sentMacros[0][1], MacroImages.deCode(m1.slice(0, 4), 300))
        compare(ui_View.sentMacros[0][1].slice(0, 2), [44, 1])

        editor.sendMacro(2)
        editor.sendMacro(-1)
        compare(ui_View.sentMacros.length, 1)
        compare(ui_View.calls.length, 2)
    }

    function test_sendMacroPassesReplacedKeyNames() {
        make(["m"], { "m": ["0,Ä,0,10", "1,Ä,1,10", "1", "0", "1"] })
        var names = shell.keyCodeString.keyCodeStr.slice()
        names[names.indexOf("A")] = "Ä"
        shell.keyCodeString.keyCodeStr = names
        editor.sendMacro(0)
        var sent = ui_View.sentMacros[0][1]
        compare(sent, MacroImages.deCode(["0,Ä,0,10", "1,Ä,1,10"], 1, names))
        compare(sent[4], 0x04)
    }
}
