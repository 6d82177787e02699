import QtQuick
import "../basic/style.js" as Style

// The action list's context menu, shown at the pointer: one entry per text;
// a click reports the entry's position and closes the menu.
//
// The entry under the pointer is the one the pointer last entered or moved
// over. What the entries' mouse areas report while the menu appears is no
// guide: it is worked out from the cursor's place on the screen against the
// scene's own window, which inside the program's widget need not be where
// the widget is, and marked one fixed entry wherever the pointer was.
Rectangle {
    id: menu
    property var texts: []
    readonly property int rowHeight: 24
    property int hoveredEntry: -1
    property bool appearing: false
    // Entries after the first insert; they are dimmed while the list is full.
    property bool insertAllowed: true
    signal entryChosen(int index)

    function openAt(px, py, bounds) {
        x = Math.max(0, Math.min(px, bounds.width - width))
        y = Math.max(0, Math.min(py, bounds.height - height))
        appearing = true
        visible = true
        appearing = false
        hoveredEntry = -1
    }
    function close() {
        visible = false
        hoveredEntry = -1
    }

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
                readonly property bool highlighted: menu.hoveredEntry === index
                opacity: index > 0 && !menu.insertAllowed ? 0.4 : 1
                width: menu.width - 8
                height: menu.rowHeight
                Rectangle {
                    anchors.fill: parent
                    radius: 3
                    color: parent.highlighted ? "#262a31" : "transparent"
                }
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData
                    color: parent.highlighted ? "#ea5413" : "#ffffff"
                    font.family: Style.fontFamily
                    font.pixelSize: 12
                }
                MouseArea {
                    id: entryMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: if (!menu.appearing) menu.hoveredEntry = index
                    onPositionChanged: menu.hoveredEntry = index
                    onExited: if (menu.hoveredEntry === index) menu.hoveredEntry = -1
                    onClicked: { menu.close(); menu.entryChosen(index) }
                }
            }
        }
    }
}
