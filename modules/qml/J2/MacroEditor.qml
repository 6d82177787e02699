import QtQuick
import "macroActions.js" as Actions
import "../basic/keyCodeTable.js" as KeyTable
import "../basic/strings.js" as Strings
import "../basic/style.js" as Style

// The macro editor: the keyboard macro library on the left (names, import,
// export, new, delete), the actions of the chosen macro on the right with
// their context menu, move and delete buttons, recording and the repeat
// count. Every change of the current macro is saved at once; every change of
// the name list is written back and announced with macroListChanged().
Item {
    id: macroEditor
    property var pages
    readonly property var shell: pages ? pages.shell : null
    readonly property var mainLang: shell ? shell.mainLang : Strings.mainLang
    readonly property var lang: shell ? shell.macroEditorLang : Strings.macroEditorLang

    property var macroNames: []
    property int currentMacro: -1
    property var actions: []
    property int selectedAction: -1
    property bool recordDelay: false
    property int times: 1
    property bool recording: false
    property int ticks: 0               // 10 ms periods since the last recorded action
    readonly property alias insertKeyOpen: keyDialog.visible
    signal macroListChanged()

    width: 809
    height: 510

    // ---- Called by the pages ----

    function initialise() {
        stopRecording()
        endEditing()
        setNamesShown(Actions.namesFromList(ui_View.getNameList(0, 0)))
        select(macroNames.length > 0 ? 0 : -1)
    }

    // A key or mouse button from the capture: recording, or the insert dialog.
    function keyReported(isDown, usbCode) {
        var code = Number(usbCode)
        if (keyDialog.visible) {
            var name = keyName(code)
            if (isDown && code < Actions.firstMouseUsage && name !== "")
                keyDialog.keyName = name
            return
        }
        if (!recording || currentMacro < 0)
            return
        var before = actions
        actions = Actions.recordStep(actions, !!isDown, code, keyName(code), ticks, recordDelay)
        if (actions !== before) {
            ticks = 0
            selectedAction = actions.length - 1
        }
    }

    // Macro m of the list to keyboard slot m, as stored.
    function sendMacro(m) {
        if (m < 0 || m >= macroNames.length)
            return
        var images = macroImages()
        if (!images) {
            console.warn("macro editor: no macro images in this program; macro", m, "is not sent")
            return
        }
        var loaded = Actions.parseLoaded(ui_View.loadMacroIni(macroNames[m], 0))
        ui_View.keyboardSendMacroData(images.deCode(loaded.lines, loaded.repeat, replacedKeyNames()), m)
    }

    // The program's one builder of macro images (MacroImages of
    // Gearconsole.Macros), looked up when first needed: a host that does not
    // offer it still gets a working editor, only sending is refused.
    property var imageSource: null
    function macroImages() {
        if (imageSource === null) {
            try {
                imageSource = Qt.createQmlObject(
                    "import QtQml; import Gearconsole.Macros 1.0; QtObject { property var images: MacroImages }",
                    macroEditor, "macroImages")
            } catch (error) {
                console.warn("macro editor:", error.message || error)
                return null
            }
        }
        return imageSource.images
    }

    // A press elsewhere ends name and delay editing and closes the menu.
    function endEditing() {
        finishRename()
        finishDelayEdit()
        contextMenu.close()
    }

    // ---- Names ----

    function keyName(code) {
        return shell ? shell.keyCodeString.keycodeTostr(code) : ""
    }
    // The key names when a language replaced the built-in ones, else none.
    function replacedKeyNames() {
        var names = shell ? shell.keyCodeString.keyCodeStr : KeyTable.keyCodeStr
        var builtIn = KeyTable.keyCodeStr
        if (names.length === builtIn.length) {
            var same = true
            for (var i = 0; same && i < names.length; ++i)
                same = names[i] === builtIn[i]
            if (same)
                return []
        }
        return names
    }

    function setNamesShown(names) {
        macroNames = names
        macroListChanged()
    }
    function writeNames(names) {
        ui_View.updataNameList(0, names, 0)
        setNamesShown(names)
    }

    // Chooses macro i (-1: none) and loads its actions, none of them
    // selected, so inserted actions go to the end until one is chosen.
    function select(i) {
        stopRecording()
        endEditing()
        currentMacro = i
        selectedAction = -1
        var loaded = Actions.parseLoaded(i >= 0 ? ui_View.loadMacroIni(macroNames[i], 0) : [])
        actions = loaded.actions
        recordDelay = loaded.recordDelay
        times = loaded.times
        timesField.text = String(times)
    }

    function newMacro() {
        stopRecording()
        var name = Actions.freeName(macroNames, lang[0])
        if (name === "")
            return
        ui_View.createMacroIni(name, 0)
        writeNames(macroNames.concat([name]))
        select(macroNames.length - 1)
    }

    // The imported macro goes in front of the selected one. The bridge may
    // report an import whose copy failed; an entry without a file is then
    // created empty, so it can be edited and saved.
    function importMacro() {
        stopRecording()
        var name = Actions.freeName(macroNames, lang[0])
        if (name === "")
            return
        var at = currentMacro >= 0 ? currentMacro : 0
        var names = macroNames.slice()
        names.splice(at, 0, name)
        if (!ui_View.loadMacroFile(name, 0) || ui_View.loadMacroIni(name, 0).length === 0)
            ui_View.createMacroIni(name, 0)
        writeNames(names)
        select(at)
    }

    function exportMacro() {
        if (currentMacro >= 0)
            ui_View.saveMacroFile(macroNames[currentMacro], 0)
    }

    function deleteMacro() {
        if (currentMacro < 0)
            return
        stopRecording()
        var at = currentMacro
        ui_View.deleteMacroIni(macroNames[at], 0)
        var names = macroNames.slice()
        names.splice(at, 1)
        currentMacro = -1
        writeNames(names)
        select(Math.min(at, names.length - 1))
    }

    property int renaming: -1
    function startRename(i) {
        endEditing()
        renaming = i
    }
    // Takes the edited name when no other macro has it and the file could
    // be renamed; otherwise the old name stays.
    function finishRename() {
        if (renaming < 0)
            return
        var i = renaming
        var name = nameList.draft.trim()
        renaming = -1
        if (name === macroNames[i])
            return
        if (!Actions.canRename(macroNames, i, name) || !ui_View.modifyMacroName(macroNames[i], name, 0)) {
            console.info("macro editor: the name", JSON.stringify(name), "is refused; keeping",
                         JSON.stringify(macroNames[i]))
            return
        }
        var names = macroNames.slice()
        names[i] = name
        writeNames(names)
    }

    // ---- Actions ----

    function save() {
        if (currentMacro < 0)
            return
        ui_View.saveMacroIni(macroNames[currentMacro], Actions.actionLines(actions), times, 0,
                             recordDelay ? 1 : 0, times)
    }
    function apply(result) {
        actions = result.actions
        selectedAction = result.selected
        save()
    }
    function moveAction(to) {
        if (selectedAction >= 0)
            apply(Actions.move(actions, selectedAction, to))
    }
    function deleteAction() {
        if (selectedAction >= 0)
            apply(Actions.remove(actions, selectedAction))
    }
    function deleteAllActions() {
        apply({ actions: [], selected: -1 })
    }

    property int editingDelay: -1
    function startDelayEdit(i) {
        endEditing()
        selectedAction = i
        editingDelay = i
    }
    function finishDelayEdit() {
        if (editingDelay < 0)
            return
        var i = editingDelay
        editingDelay = -1
        if (i >= actions.length)
            return
        var old = actions[i]
        var delay = Actions.parseDelay(actionList.draft, old.delay)
        if (delay === old.delay)
            return
        var list = actions.slice()
        list[i] = { type: old.type, key: old.key, action: old.action, delay: delay }
        apply({ actions: list, selected: i })
    }

    // Inserted pairs: the menu acts only while fewer than 28 actions exist.
    function canInsert() {
        return currentMacro >= 0 && actions.length < Actions.maxActions
    }
    function insertPair(key, pressType, releaseType) {
        if (canInsert())
            apply(Actions.insertPair(actions, selectedAction, Actions.pair(key, pressType, releaseType)))
    }
    readonly property var menuMouseKeys: ["MS-L", "MS-M", "MS-R"]
    function menuEntry(entry) {
        if (entry === 0) {
            deleteAction()
        } else if (entry <= 3) {
            insertPair(menuMouseKeys[entry - 1], 3, 4)
        } else if (canInsert()) {
            stopRecording()
            keyDialog.open()
        }
    }

    // ---- Recording ----

    function toggleRecording() {
        if (recording) {
            stopRecording()
            return
        }
        endEditing()
        actions = []
        selectedAction = -1
        ticks = 0
        recording = true
    }
    function stopRecording() {
        if (!recording)
            return
        recording = false
        save()
    }
    Timer {
        id: recordClock
        interval: Actions.tickMs
        repeat: true
        running: macroEditor.recording
        onTriggered: macroEditor.ticks += 1
    }

    function timesLeft() {
        var value = Actions.parseTimes(timesField.text)
        timesField.text = String(value)
        if (value !== times) {
            times = value
            save()
        }
    }

    // The buttons under the two lists.
    function command(run) {
        endEditing()
        var commands = {
            "import": importMacro, "export": exportMacro, "new": newMacro, "delete": deleteMacro,
            "first": function() { moveAction("first") }, "last": function() { moveAction("last") },
            "up": function() { moveAction("up") }, "down": function() { moveAction("down") },
            "deleteAction": deleteAction, "deleteAll": deleteAllActions
        }
        commands[run]()
    }

    // ---- Layout ----

    Text {
        x: 14
        height: 20
        verticalAlignment: Text.AlignVCenter
        text: macroEditor.mainLang[7]
        color: "#969696"
        font.family: Style.fontFamily
        font.pixelSize: 12
        font.bold: true
    }
    MacroNameList {
        id: nameList
        y: 20
        names: macroEditor.macroNames
        current: macroEditor.currentMacro
        editing: macroEditor.renaming
        onChosen: function(i) {
            if (i !== macroEditor.currentMacro)
                macroEditor.select(i)
            else
                macroEditor.endEditing()
        }
        onEditRequested: function(i) { macroEditor.startRename(i) }
        onEditAccepted: macroEditor.finishRename()
    }
    Row {
        x: 11
        y: 474
        spacing: 16
        Repeater {
            model: [{ name: "macroImportButton", image: "macroImportBtn", text: 11, run: "import" },
                    { name: "macroExportButton", image: "macroExportBtn", text: 12, run: "export" },
                    { name: "macroNewButton", image: "macroNewBtn", text: 2, run: "new" },
                    { name: "macroDeleteButton", image: "macroDeleteBtn", text: 3, run: "delete" }]
            Button {
                objectName: modelData.name
                area: "macros"
                name: modelData.image
                hoverText: macroEditor.lang[modelData.text]
                onBtnClick: macroEditor.command(modelData.run)
            }
        }
    }

    MacroActionList {
        id: actionList
        x: 210
        actions: macroEditor.actions
        current: macroEditor.selectedAction
        editing: macroEditor.editingDelay
        headings: [macroEditor.mainLang[10], macroEditor.mainLang[11], macroEditor.mainLang[12]]
        onChosen: function(i) { macroEditor.finishDelayEdit(); macroEditor.selectedAction = i }
        onEditRequested: function(i) { macroEditor.startDelayEdit(i) }
        onEditAccepted: macroEditor.finishDelayEdit()
        onMenuRequested: function(px, py) {
            macroEditor.finishRename()
            contextMenu.openAt(x + px, y + py, macroEditor)
        }
    }

    Row {
        x: 210
        y: 474
        spacing: 4
        Repeater {
            model: [{ name: "actionFirstButton", image: "firstBtn", text: 22, run: "first" },
                    { name: "actionLastButton", image: "lastBtn", text: 24, run: "last" },
                    { name: "actionUpButton", image: "upBtn", text: 23, run: "up" },
                    { name: "actionDownButton", image: "downBtn", text: 25, run: "down" },
                    { name: "actionDeleteButton", image: "actionDeleteBtn", text: 10, run: "deleteAction" },
                    { name: "actionDeleteAllButton", image: "deleteAllBtn", text: 21, run: "deleteAll" }]
            Button {
                objectName: modelData.name
                area: "macros"
                name: modelData.image
                hoverText: macroEditor.lang[modelData.text]
                onBtnClick: macroEditor.command(modelData.run)
            }
        }
    }

    // The toggle shows the recording state: "Start Record" with the record
    // image while recording, "Stop Record" with the stop image otherwise.
    Button {
        id: recordButton
        objectName: "recordButton"
        x: 424
        y: 474
        area: "macros"
        name: macroEditor.recording ? "recordBtn" : "stopBtn"
        onBtnClick: macroEditor.toggleRecording()
    }
    Text {
        objectName: "recordState"
        anchors.left: recordButton.right
        anchors.leftMargin: 6
        anchors.verticalCenter: recordButton.verticalCenter
        width: 100
        elide: Text.ElideRight
        text: macroEditor.lang[macroEditor.recording ? 8 : 5]
        color: macroEditor.recording ? "#ea5413" : "#ffffff"
        font.family: Style.fontFamily
        font.pixelSize: 12
    }
    CheckBox {
        objectName: "recordDelayBox"
        x: 568
        y: 481
        text: macroEditor.mainLang[16]
        selected: macroEditor.recordDelay
        onBtnClick: {
            macroEditor.recordDelay = selected
            // The box toggled itself; it follows the macro shown again.
            selected = Qt.binding(function() { return macroEditor.recordDelay })
            macroEditor.save()
        }
    }
    // "Times" is always ticked: its field is the repeat count.
    CheckBox {
        id: timesBox
        x: 682
        y: 481
        text: macroEditor.mainLang[13]
        selected: true
        onBtnClick: selected = true
    }
    RectInput {
        id: timesField
        objectName: "timesField"
        anchors.left: timesBox.right
        anchors.leftMargin: 6
        anchors.verticalCenter: timesBox.verticalCenter
        minimum: 1
        maximum: 65535
        text: "1"
        onEndInputSignal: macroEditor.timesLeft()
    }

    MacroContextMenu {
        id: contextMenu
        texts: [macroEditor.lang[10], macroEditor.lang[15], macroEditor.lang[16],
                macroEditor.lang[17], macroEditor.lang[14]]
        onEntryChosen: function(i) { macroEditor.menuEntry(i) }
    }
    MacroKeyDialog {
        id: keyDialog
        title: macroEditor.mainLang[14]
        okText: macroEditor.mainLang[5]
        cancelText: macroEditor.mainLang[15]
        onAccepted: function(name) { if (name !== "") macroEditor.insertPair(name, 0, 1) }
    }
}
