import QtQuick
import "../basic/style.js" as Style

// The action list's context menu, shown at the pointer: one entry per text;
// a click reports the entry's position and closes the menu.
Rectangle {
    id: menu
    property var texts: []
    readonly property int rowHeight: 24
    signal entryChosen(int index)

    function openAt(px, py, bounds) {
        x = Math.max(0, Math.min(px, bounds.width - width))
        y = Math.max(0, Math.min(py, bounds.height - height))
        visible = true
    }
    function close() { visible = false }

    visible: false
    width: 160
    height: texts.length * rowHeight + 8
    radius: 4
    color: "#1a1a1a"
    border.color: "#3c3c3c"
    z: 100

    Column {
        x: 4
        y: 4
        Repeater {
            model: menu.texts
            Item {
                objectName: "actionMenuItem" + index
                width: menu.width - 8
                height: menu.rowHeight
                Rectangle {
                    anchors.fill: parent
                    radius: 3
                    color: entryMouse.containsMouse ? "#262a31" : "transparent"
                }
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData
                    color: entryMouse.containsMouse ? "#ea5413" : "#ffffff"
                    font.family: Style.fontFamily
                    font.pixelSize: 12
                }
                MouseArea {
                    id: entryMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: { menu.close(); menu.entryChosen(index) }
                }
            }
        }
    }
}
