import QtQuick
import "style.js" as Style

// One question before an action that cannot be undone, over the whole
// window: "OK" runs the action, "Cancel" (or Escape) drops it. Everything
// behind waits until it closes.
FocusScope {
    id: dialog
    property string okText: "OK"
    property string cancelText: "Cancel"
    property string question: ""
    property var pending: null
    readonly property bool open: visible

    // Shows the question; `action` runs only on "OK".
    function ask(text, action) {
        question = text
        pending = action
        visible = true
        forceActiveFocus()
    }
    function close(accepted) {
        var action = pending
        pending = null
        visible = false
        if (accepted && action)
            action()
    }

    visible: false
    anchors.fill: parent
    z: 900

    Keys.onEscapePressed: close(false)
    Keys.onReturnPressed: close(true)
    Keys.onEnterPressed: close(true)

    // What it shows exists only while it is open.
    Loader {
        anchors.fill: parent
        active: dialog.visible
        sourceComponent: Item {
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
                objectName: "confirmDialog"
                anchors.centerIn: parent
                width: 360
                height: Math.max(130, questionText.implicitHeight + 90)
                radius: 6
                color: "#1a1a1a"
                border.color: "#3c3c3c"

                Rectangle { x: 12; width: 60; height: 2; color: "#ea5413" }
                Text {
                    id: questionText
                    objectName: "confirmQuestion"
                    x: 16
                    y: 18
                    width: parent.width - 32
                    wrapMode: Text.Wrap
                    text: dialog.question
                    color: "#ffffff"
                    font.family: Style.fontFamily
                    font.pixelSize: 14
                }
                Row {
                    anchors.right: parent.right
                    anchors.rightMargin: 16
                    anchors.bottom: parent.bottom
                    anchors.bottomMargin: 16
                    spacing: 10
                    Repeater {
                        model: [{ name: "confirmOk", text: dialog.okText },
                                { name: "confirmCancel", text: dialog.cancelText }]
                        Rectangle {
                            objectName: modelData.name
                            width: 80
                            height: 28
                            radius: 3
                            color: buttonMouse.pressed ? "#09347f" : "#26282c"
                            border.color: buttonMouse.containsMouse || (index === 0 && dialog.activeFocus) ? "#ea5413" : "#3c3c3c"
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
                                onClicked: dialog.close(index === 0)
                            }
                        }
                    }
                }
            }
        }
    }
}
