import QtQuick
import "../basic/style.js" as Style

// The open part of a DropDownList: its item rows and, for more than seven
// items, the marker of where they are scrolled to. A document of its own,
// loaded by address while the list is open, so that the list view's types
// are read only when a list first opens. The list is the loader's.
Item {
    id: rows
    readonly property Item list: parent ? parent.dropDownList : null

    ListView {
        id: view
        anchors.fill: parent
        model: rows.list ? rows.list.model : []
        boundsBehavior: Flickable.StopAtBounds
        delegate: Rectangle {
            objectName: rows.list.objectName + "Item" + index
            width: rows.width
            height: rows.list.rowHeight
            color: rowMouse.containsMouse ? "#3c3c3c" : "transparent"
            Text {
                x: 6
                anchors.verticalCenter: parent.verticalCenter
                text: modelData
                color: index === rows.list.currentIndex || rowMouse.containsMouse ? "#ea5413" : "#ffffff"
                font.family: Style.fontFamily
                font.pixelSize: 12
            }
            MouseArea {
                id: rowMouse
                anchors.fill: parent
                hoverEnabled: true
                onClicked: rows.list.choose(index)
            }
        }
    }
    Rectangle {
        objectName: rows.list ? rows.list.objectName + "Marker" : ""
        visible: rows.list !== null && rows.list.model.length > 7
        anchors.right: parent.right
        width: 4
        radius: 2
        color: "#969696"
        height: rows.list ? parent.height * 7 / Math.max(7, rows.list.model.length) : 0
        y: view.visibleArea.yPosition * parent.height
    }
}
