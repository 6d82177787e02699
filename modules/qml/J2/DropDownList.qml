import QtQuick
import "../basic/style.js" as Style

// A field showing the current item; a click slides the 20 px item rows open
// or closed. Choosing an item reports its position once the list has closed.
Item {
    id: list
    property var model: []
    property int currentIndex: 0
    property bool opened: false
    readonly property int rowHeight: 20
    readonly property int slideTime: 180 - 8 * model.length
    readonly property int visibleRows: Math.min(model.length, 7)
    property int chosen: -1
    signal valueChange(int index)

    width: 120
    height: 22
    z: opened ? 100 : 0

    function closeMenu() { opened = false }
    function choose(index) {
        currentIndex = index
        chosen = index
        opened = false
    }

    Rectangle {
        anchors.fill: parent
        color: "#1a1a1a"
        border.color: field.containsMouse ? "#ea5413" : "#3c3c3c"
        Text {
            anchors.verticalCenter: parent.verticalCenter
            x: 6
            width: parent.width - 22
            elide: Text.ElideRight
            text: list.model.length > list.currentIndex ? list.model[list.currentIndex] : ""
            color: "#ffffff"
            font.family: Style.fontFamily
            font.pixelSize: 12
        }
        Text {
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            text: list.opened ? "▲" : "▼"
            color: "#969696"
            font.pixelSize: 9
        }
        MouseArea {
            id: field
            anchors.fill: parent
            hoverEnabled: true
            onClicked: list.opened = !list.opened
        }
    }
    Rectangle {
        id: drop
        y: list.height
        width: list.width
        height: list.opened ? list.visibleRows * list.rowHeight : 0
        clip: true
        color: "#1a1a1a"
        border.color: "#3c3c3c"
        Behavior on height {
            NumberAnimation { id: slide; duration: Math.max(0, list.slideTime) }
        }
        onHeightChanged: {
            if (height === 0 && list.chosen >= 0) {
                var index = list.chosen
                list.chosen = -1
                list.valueChange(index)
            }
        }
        // The rows exist only while the list is open or sliding: a closed
        // list would otherwise keep a screenful of row delegates alive.
        Loader {
            readonly property Item dropDownList: list
            anchors.fill: parent
            active: drop.height > 0 || list.opened
            source: "DropDownRows.qml"
        }
    }
}
