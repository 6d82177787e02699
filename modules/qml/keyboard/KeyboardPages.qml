import QtQuick
import "../J2"

// The keyboard pages in the shell's main area (809 × 510): the keyboard
// picture with its hot spots above the lighting page ("Light") or the
// key-setting page ("Key"), or the macro editor ("Macro") in place of both.
// The shell's side menu chooses through shell.sidePage (0, 1, 2).
//
// The pages share the key model and the selected key; they reach each
// other only through the functions of this container.
Item {
    id: pages
    property var shell
    property int selectKey: -1
    property alias keyboardData: keyboardData
    readonly property int page: shell ? shell.sidePage : 0
    // The Light page's tints for the keyboard picture.
    readonly property var lightPreview: lightPage.preview
    // Whether a page wants captured keys now: the macro editor recording or
    // asking for a key to insert, or the Key page's armed field. Capture
    // runs only while this holds.
    readonly property bool listening: macroEditor.recording || macroEditor.insertKeyOpen || keyPage.listening
    onListeningChanged: ui_View.setCaptureListening(listening)

    width: 809
    height: 510

    KeyboardData { id: keyboardData }

    Keyboard {
        id: keyboard
        objectName: "keyboard"
        x: 6
        pages: pages
        visible: pages.page !== 2
        onKeyClicked: function(index) {
            pages.selectKey = index
            if (pages.page === 0)
                lightPage.keyClicked(index)
            else
                keyPage.keyClicked(index)
        }
    }

    LightPage {
        id: lightPage
        objectName: "lightPage"
        y: 255
        pages: pages
        visible: pages.page === 0
    }

    KeyPage {
        id: keyPage
        objectName: "keyPage"
        y: 255
        pages: pages
        visible: pages.page === 1
    }

    MacroEditor {
        id: macroEditor
        objectName: "macroEditor"
        pages: pages
        visible: pages.page === 2
        onMacroListChanged: keyPage.refreshMacroList(macroNames)
    }

    // ---- Called by the shell ----

    // Start-up (withMacroEditor), profile change and Recovery: reload the
    // pages from the stored (isRecovery false) or factory values, and send
    // them to the keyboard when isSendData.
    function initialise(isSendData, isRecovery, withMacroEditor) {
        if (withMacroEditor)
            macroEditor.initialise()
        lightPage.initialise(isSendData, isRecovery)
        keyPage.initialise(isSendData, isRecovery)
    }
    function clearSelection() { selectKey = -1 }
    // The window went out of sight: recording stops, the insert dialog
    // closes without a key, an armed field is let go.
    function stopListening() {
        macroEditor.stopRecording()
        if (macroEditor.insertKeyOpen)
            macroEditor.closeKeyDialog(false)
        keyPage.disarm()
    }

    // ---- Shared between the pages ----

    // The lighting picture the keyboard shows lit keys of (0-4), or -1.
    function shownPicture() { return lightPage.shownPicture }
    // Key page: whether the key keeps its default assignment, and the text
    // of its assignment for the tip.
    function isDefault(index) { return keyPage.isDefault(index) }
    function assignmentText(index) { return keyPage.assignmentText(index) }
    // The macro editor's names, in list order.
    function macroNames() { return macroEditor.macroNames }
    // Sends macro m of the list to the keyboard (nothing when m does not exist).
    function sendMacro(m) { macroEditor.sendMacro(m) }
    // Whether a key of the current profile plays macro m.
    function keyPlaysMacro(m) { return keyPage.playsMacro(m) }
    // The bridge moved the macro keys with a change of the macro list.
    function macroKeysFollowed() { keyPage.macroKeysFollowed() }

    Connections {
        target: pages.shell
        function onMsg_KB(isDown, usbCode) {
            keyPage.keyReported(isDown, usbCode)
            macroEditor.keyReported(isDown, usbCode)
        }
        function onCloseMenus() {
            lightPage.closeMenus()
            keyPage.closeMenus()
            macroEditor.endEditing()
        }
    }
}
