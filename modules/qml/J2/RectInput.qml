import QtQuick
import "../basic/style.js" as Style

// One-line number field of at most four characters. Leaving it or pressing
// Enter turns an empty or below-1 entry into "0" and reports the end of the
// input.
Rectangle {
    id: field
    property int minimum: 0
    property int maximum: 9999
    property alias text: input.text
    property alias inputFocus: input.focus
    signal endInputSignal()

    width: 48
    height: 21
    color: "#1a1a1a"
    border.color: input.activeFocus ? "#ea5413" : "#3c3c3c"

    function finish() {
        if (input.text === "" || parseInt(input.text, 10) < 1)
            input.text = "0"
        endInputSignal()
    }

    TextInput {
        id: input
        anchors.fill: parent
        anchors.leftMargin: 4
        anchors.rightMargin: 4
        verticalAlignment: TextInput.AlignVCenter
        maximumLength: 4
        color: "#ffffff"
        selectByMouse: true
        font.family: Style.fontFamily
        font.pixelSize: 12
        validator: IntValidator { bottom: field.minimum; top: field.maximum }
        onActiveFocusChanged: if (!activeFocus) field.finish()
        // Enter ends the input too, whatever the text.
        Keys.onReturnPressed: field.finish()
        Keys.onEnterPressed: field.finish()
    }
}
