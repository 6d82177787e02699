import QtQuick

// What the main area says while no keyboard is connected: texts[0] a title,
// texts[1] what is supported, texts[2] that the pages come by themselves.
Item {
    property var texts: ["", "", ""]
    property string fontFamily: ""

    Column {
        anchors.centerIn: parent
        width: parent.width - 160
        spacing: 14
        Text {
            objectName: "noKeyboardTitle"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: texts[0]
            color: "#ffffff"
            font.family: fontFamily
            font.pixelSize: 22
            font.bold: true
        }
        Repeater {
            model: [texts[1], texts[2]]
            Text {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: modelData
                color: "#b4b4b4"
                font.family: fontFamily
                font.pixelSize: 14
            }
        }
    }
}
