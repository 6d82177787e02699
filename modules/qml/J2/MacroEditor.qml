import QtQuick
import "macroActions.js" as Actions
import "../basic/keyCodeTable.js" as KeyTable
import "../basic/strings.js" as Strings

// The macro editor: the keyboard macro library on the left (names, import,
// export, new, delete), the actions of the chosen macro on the right with
// their context menu, move and delete buttons, recording and the repeat
// count. Every change of the current macro is saved at once; every change of
// the name list is written back and announced with macroListChanged().
//
// The container calls this editor while it is hidden (start-up, profile
// change, captured keys, sending macros), so all state and logic live here;
// the visible part (MacroEditorView) is built the first time the editor is
// shown, then kept, and only shows this state.
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
    property int renaming: -1           // macro whose name is being edited
    property string nameDraft: ""       // the edited name so far
    property int editingDelay: -1       // action whose delay is being edited
    property string delayDraft: ""
    property bool insertKeyOpen: false  // the dialog asking for a key to insert
    property string insertKeyName: ""   // the last key reported to that dialog
    property Item view: null            // the visible part, once built
    readonly property int maxActions: Actions.maxActions
    signal macroListChanged()
    // A macro was loaded: the times field shows its repeat count again.
    signal macroLoaded()
    // A limit stopped something: "names" (a hundred macros) or "actions"
    // (28 actions); the view says so there.
    signal limitReached(string where)

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
        if (insertKeyOpen) {
            var name = keyName(code)
            if (isDown && code < Actions.firstMouseUsage && name !== "")
                insertKeyName = name
            return
        }
        if (!recording || currentMacro < 0)
            return
        var before = actions
        actions = Actions.recordStep(actions, !!isDown, code, keyName(code), ticks, recordDelay)
        if (actions !== before) {
            ticks = 0
            selectedAction = actions.length - 1
        } else if (actions.length >= Actions.maxActions) {
            limitReached("actions")
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

    // A press elsewhere ends name, delay and times editing and closes the
    // menu; so does every action of the editor before it acts.
    function endEditing() {
        finishRename()
        finishDelayEdit()
        if (view) {
            view.commitTimes()
            view.closeMenu()
        }
    }
    function promptText(index, arg) {
        return Strings.prompt(shell && shell.promptLang ? shell.promptLang : Strings.prompts, index, arg)
    }

    // ---- Names ----

    function keyName(code) {
        if (!shell || !shell.keyCodeString.hasName(code))
            return ""
        return shell.keyCodeString.keycodeTostr(code)
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
    // Writes the new list. moves (for each macro of the old list its
    // position in the new one, -1 when deleted) are handed to the bridge,
    // which keeps every profile's macro keys on their macros; the key page
    // then reads its keys again.
    function writeNames(names, moves) {
        sendUnsent()
        var before = macroNames
        ui_View.updataNameList(0, names, 0)
        if (moves)
            ui_View.keyboardFollowMacroList(before, moves, names)
        setNamesShown(names)
        if (moves && pages && pages.macroKeysFollowed)
            pages.macroKeysFollowed()
    }

    // Chooses macro i (-1: none) and loads its actions, none of them
    // selected, so inserted actions go to the end until one is chosen.
    function select(i) {
        endEditing()
        stopRecording()
        currentMacro = i
        selectedAction = -1
        var loaded = Actions.parseLoaded(i >= 0 ? ui_View.loadMacroIni(macroNames[i], 0) : [])
        actions = loaded.actions
        recordDelay = loaded.recordDelay
        times = loaded.times
        macroLoaded()
    }

    function newMacro() {
        stopRecording()
        var name = Actions.freeName(macroNames, lang[0])
        if (name === "") {
            limitReached("names")
            return
        }
        ui_View.createMacroIni(name, 0)
        writeNames(macroNames.concat([name]))
        select(macroNames.length - 1)
    }

    // The imported macro goes in front of the selected one. A chosen file
    // whose name was taken by a file no macro lists leaves an entry without
    // a macro; it is then created empty, so it can be edited and saved.
    function importMacro() {
        stopRecording()
        var name = Actions.freeName(macroNames, lang[0])
        if (name === "") {
            limitReached("names")
            return
        }
        var at = currentMacro >= 0 ? currentMacro : 0
        var names = macroNames.slice()
        names.splice(at, 0, name)
        // A cancelled (or failed) import adds nothing; a chosen file that
        // left no macro behind still gets its entry as an empty macro.
        if (!ui_View.loadMacroFile(name, 0))
            return
        if (ui_View.loadMacroIni(name, 0).length === 0 && !ui_View.createMacroIni(name, 0))
            return
        writeNames(names, Actions.movesForInsert(macroNames.length, at))
        select(at)
    }

    function exportMacro() {
        if (currentMacro >= 0)
            ui_View.saveMacroFile(macroNames[currentMacro], 0)
    }

    // Asked first: a deleted macro is gone, and keys playing it go back to
    // their default.
    function deleteMacro() {
        if (currentMacro < 0)
            return
        stopRecording()
        var at = currentMacro
        var question = promptText(Strings.PROMPT_DELETE_MACRO, macroNames[at])
        if (shell && shell.askToConfirm)
            shell.askToConfirm(question, function() { removeMacro(at) })
        else
            removeMacro(at)
    }
    function removeMacro(at) {
        if (at < 0 || at >= macroNames.length)
            return
        ui_View.deleteMacroIni(macroNames[at], 0)
        var names = macroNames.slice()
        names.splice(at, 1)
        writeNames(names, Actions.movesForRemove(macroNames.length, at))
        currentMacro = -1
        select(Math.min(at, names.length - 1))
    }

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
        var name = nameDraft.trim()
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
        writeNames(names, Actions.movesForInsert(names.length, names.length))
    }

    // ---- Actions ----

    function save() {
        if (currentMacro < 0)
            return
        if (ui_View.saveMacroIni(macroNames[currentMacro], Actions.actionLines(actions), times, 0,
                                 recordDelay ? 1 : 0, times))
            sendWhenPlayed(currentMacro)
    }

    // A saved macro that a key of the current profile plays goes to the
    // keyboard once the edits pause (a send holds the window for a quarter
    // of a second), and at once when the editor is left or its list changes.
    property int unsentMacro: -1
    function sendWhenPlayed(m) {
        if (!pages || !pages.keyPlaysMacro || !pages.keyPlaysMacro(m))
            return
        if (unsentMacro !== m)
            sendUnsent()
        unsentMacro = m
        sendPause.restart()
    }
    function sendUnsent() {
        sendPause.stop()
        var m = unsentMacro
        unsentMacro = -1
        if (m >= 0)
            sendMacro(m)
    }
    Timer {
        id: sendPause
        interval: 500
        onTriggered: macroEditor.sendUnsent()
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
        var delay = Actions.parseDelay(delayDraft, old.delay)
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
        else if (currentMacro >= 0)
            limitReached("actions")
    }
    readonly property var menuMouseKeys: ["MS-L", "MS-M", "MS-R"]
    function menuEntry(entry) {
        if (entry === 0) {
            deleteAction()
        } else if (entry <= 3) {
            insertPair(menuMouseKeys[entry - 1], 3, 4)
        } else if (canInsert()) {
            stopRecording()
            insertKeyName = ""
            insertKeyOpen = true
        } else if (currentMacro >= 0) {
            limitReached("actions")
        }
    }
    // The dialog's "OK" (accepted) or "Cancel": a pressed key is inserted.
    function closeKeyDialog(accepted) {
        insertKeyOpen = false
        if (accepted && insertKeyName !== "")
            insertPair(insertKeyName, 0, 1)
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

    // The times field was left with this text; answers the count it shows.
    function timesLeft(text) {
        var value = Actions.parseTimes(text)
        if (value !== times) {
            times = value
            save()
        }
        return value
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

    // ---- The visible part ----

    // Built synchronously, so the first frame shown already has it. A plain
    // child rather than a Loader: a Loader is a focus scope, and the fields
    // and name inputs take focus directly, as everywhere else in the window.
    function buildView() {
        if (view)
            return
        var component = Qt.createComponent("MacroEditorView.qml")
        if (component.status !== Component.Ready) {
            console.warn("macro editor:", component.errorString())
            return
        }
        view = component.createObject(macroEditor, { editor: macroEditor })
    }
    // Leaving the editor commits the times field and sends what waits.
    onVisibleChanged: {
        if (visible) {
            buildView()
        } else {
            if (view)
                view.commitTimes()
            sendUnsent()
        }
    }
    Component.onCompleted: if (visible) buildView()
}
