import QtQuick
import "../basic/style.js" as Style

// Asks for one keyboard key: shows the name of the last key reported while
// open; "OK" and "Cancel" report closed(true / false). Whoever shows the
// dialog hides it and takes the key.
Item {
    id: dialog
    property string title: "Please input Keyboard Key"
    property string okText: "OK"
    property string cancelText: "Cancel"
    property string keyName: ""
    signal closed(bool accepted)

    visible: false
    anchors.fill: parent
    z: 200

    // Everything behind the dialog waits until it closes.
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
        onWheel: function(wheel) { wheel.accepted = true }
    }
    Rectangle {
        anchors.fill: parent
        color: "#000000"
        opacity: 0.45
    }
    Rectangle {
        objectName: "insertKeyDialog"
        anchors.centerIn: parent
        width: 320
        height: 150
        radius: 6
        color: "#1a1a1a"
        border.color: "#3c3c3c"

        Rectangle { x: 12; width: 60; height: 2; color: "#ea5413" }
        Text {
            x: 16
            y: 14
            text: dialog.title
            color: "#ffffff"
            font.family: Style.fontFamily
            font.pixelSize: 14
        }
        Rectangle {
            x: 16
            y: 46
            width: parent.width - 32
            height: 30
            color: "#101113"
            border.color: "#ea5413"
            Text {
                objectName: "insertKeyName"
                anchors.centerIn: parent
                text: dialog.keyName
                color: "#ea5413"
                font.family: Style.fontFamily
                font.pixelSize: 14
                font.bold: true
            }
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 16
            y: 100
            spacing: 10
            Repeater {
                model: [{ name: "insertKeyOk", text: dialog.okText },
                        { name: "insertKeyCancel", text: dialog.cancelText }]
                Rectangle {
                    objectName: modelData.name
                    width: 80
                    height: 28
                    radius: 3
                    color: buttonMouse.pressed ? "#09347f" : "#26282c"
                    border.color: buttonMouse.containsMouse ? "#ea5413" : "#3c3c3c"
                    Text {
                        anchors.centerIn: parent
                        text: modelData.text
                        color: buttonMouse.containsMouse ? "#ea5413" : "#ffffff"
                        font.family: Style.fontFamily
                        font.pixelSize: 12
                    }
                    MouseArea {
                        id: buttonMouse
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: dialog.closed(index === 0)
                    }
                }
            }
        }
    }
}
