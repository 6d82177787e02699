import QtQuick
import "../basic/style.js" as Style

// One key-name field of the key-setting page: a label and a 254 × 22 box
// that a click arms for capturing keys (orange border while armed).
Item {
    id: field
    property string label: ""
    property string text: ""
    property bool armed: false
    signal arm()

    width: 110 + box.width
    height: box.height

    Text {
        anchors.verticalCenter: parent.verticalCenter
        width: 104
        elide: Text.ElideRight
        text: field.label
        color: "#d1d1d1"
        font.family: Style.fontFamily
        font.pixelSize: 12
    }
    Rectangle {
        id: box
        x: 110
        width: 254
        height: 22
        color: "#1a1a1a"
        border.color: field.armed || mouse.containsMouse ? "#ea5413" : "#3c3c3c"
        Text {
            anchors.verticalCenter: parent.verticalCenter
            x: 6
            width: parent.width - 12
            elide: Text.ElideRight
            text: field.text
            color: "#ffffff"
            font.family: Style.fontFamily
            font.pixelSize: 12
        }
        MouseArea {
            id: mouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: field.arm()
        }
    }
}
