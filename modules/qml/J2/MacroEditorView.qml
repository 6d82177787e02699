import QtQuick
import "../basic"
import "../basic/style.js" as Style
import "../basic/strings.js" as Strings

// What the macro editor shows: the macro names with their buttons, the
// actions of the current macro with theirs, recording, the repeat count, the
// context menu and the insert-key dialog. It holds no state of its own
// beyond what is on screen: everything it shows comes from the editor, and
// everything it is asked to do goes back to the editor's functions.
Item {
    id: view
    required property var editor

    width: 809
    height: 510

    function closeMenu() { contextMenu.close() }
    // The repeat count typed so far becomes the macro's, as when the field
    // is left.
    function commitTimes() { timesField.text = String(editor.timesLeft(timesField.text)) }

    Text {
        x: 14
        height: 20
        verticalAlignment: Text.AlignVCenter
        text: editor.mainLang[7]
        color: "#969696"
        font.family: Style.fontFamily
        font.pixelSize: 12
        font.bold: true
    }
    MacroNameList {
        id: nameList
        y: 20
        names: editor.macroNames
        current: editor.currentMacro
        editing: editor.renaming
        onChosen: function(i) {
            if (i !== editor.currentMacro)
                editor.select(i)
            else
                editor.endEditing()
        }
        onEditRequested: function(i) { editor.startRename(i) }
        onEditAccepted: editor.finishRename()
        onDraftChanged: editor.nameDraft = draft
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
                hoverText: editor.lang[modelData.text]
                onBtnClick: editor.command(modelData.run)
            }
        }
    }

    MacroActionList {
        id: actionList
        x: 210
        actions: editor.actions
        current: editor.selectedAction
        editing: editor.editingDelay
        headings: [editor.mainLang[10], editor.mainLang[11], editor.mainLang[12]]
        onChosen: function(i) { editor.finishDelayEdit(); editor.selectedAction = i }
        onEditRequested: function(i) { editor.startDelayEdit(i) }
        onEditAccepted: editor.finishDelayEdit()
        onDraftChanged: editor.delayDraft = draft
        onMenuRequested: function(px, py) {
            editor.finishRename()
            contextMenu.openAt(x + px, y + py, view)
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
                hoverText: editor.lang[modelData.text]
                onBtnClick: editor.command(modelData.run)
            }
        }
    }

    // The toggle is labelled by what a click does: "Start Record" with the
    // record image while idle, "Stop Record" with the stop image while
    // recording (the text in orange, so the state still shows).
    Button {
        id: recordButton
        objectName: "recordButton"
        x: 424
        y: 474
        area: "macros"
        name: editor.recording ? "stopBtn" : "recordBtn"
        onBtnClick: editor.toggleRecording()
    }
    Text {
        objectName: "recordState"
        anchors.left: recordButton.right
        anchors.leftMargin: 6
        anchors.verticalCenter: recordButton.verticalCenter
        width: 100
        elide: Text.ElideRight
        text: editor.lang[editor.recording ? 5 : 8]
        color: editor.recording ? "#ea5413" : "#ffffff"
        font.family: Style.fontFamily
        font.pixelSize: 12
    }
    CheckBox {
        objectName: "recordDelayBox"
        x: 568
        y: 481
        text: editor.mainLang[16]
        selected: editor.recordDelay
        onBtnClick: {
            editor.recordDelay = selected
            // The box toggled itself; it follows the macro shown again.
            selected = Qt.binding(function() { return editor.recordDelay })
            editor.save()
        }
    }
    // "Times" is always ticked: its field is the repeat count.
    CheckBox {
        id: timesBox
        x: 682
        y: 481
        text: editor.mainLang[13]
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
        text: String(editor.times)
        onEndInputSignal: text = String(editor.timesLeft(text))
        Connections {
            target: editor
            function onMacroLoaded() { timesField.text = String(editor.times) }
        }
    }

    // The limits, told where they are met: over the foot of the name list,
    // and over the foot of the action list (there for as long as a
    // recording is full).
    Notice {
        id: nameNotice
        objectName: "macroNameNotice"
        x: 8
        y: 20 + 452 - height - 8
        width: 174
    }
    Notice {
        id: actionNotice
        objectName: "macroActionNotice"
        x: 210 + 589 - width - 8
        y: 20 + 452 - height - 8
        width: 260
        held: editor.recording && editor.actions.length >= editor.maxActions
        text: editor.promptText(Strings.PROMPT_ACTION_LIMIT)
    }
    Connections {
        target: editor
        function onLimitReached(where) {
            if (where === "names")
                nameNotice.show(editor.promptText(Strings.PROMPT_HUNDRED_MACROS))
            else
                actionNotice.show(editor.promptText(Strings.PROMPT_ACTION_LIMIT))
        }
    }

    MacroContextMenu {
        id: contextMenu
        texts: [editor.lang[10], editor.lang[15], editor.lang[16],
                editor.lang[17], editor.lang[14]]
        insertAllowed: editor.currentMacro >= 0 && editor.actions.length < editor.maxActions
        onEntryChosen: function(i) { editor.menuEntry(i) }
    }
    MacroKeyDialog {
        id: keyDialog
        // Over the whole window, so the side menu, the profile panel and the
        // status bar wait too, and the dimming ends at the window's edges.
        parent: editor.shell ? editor.shell : view
        visible: editor.insertKeyOpen
        keyName: editor.insertKeyName
        title: editor.mainLang[14]
        okText: editor.mainLang[5]
        cancelText: editor.mainLang[15]
        onClosed: function(accepted) { editor.closeKeyDialog(accepted) }
    }
}
