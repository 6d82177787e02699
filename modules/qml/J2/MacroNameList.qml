import QtQuick
import "../basic"
import "../basic/style.js" as Style

// The macro names: 27 px rows, at most 452 px high. A click chooses a
// macro; a double-click opens its name for editing, which Enter ends.
Item {
    id: nameList
    property var names: []
    property int current: -1
    property int editing: -1            // row whose name is being edited
    property string draft: ""           // the edited text so far
    readonly property int rowHeight: 27
    signal chosen(int index)
    signal editRequested(int index)
    signal editAccepted()

    width: 190
    height: 452

    PanelBackground { anchors.fill: parent; area: "macros"; name: "macroListBg" }

    ListView {
        id: view
        objectName: "macroNameList"
        width: parent.width
        height: Math.min(nameList.names.length * nameList.rowHeight, nameList.height)
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: nameList.names
        currentIndex: nameList.current
        onCurrentIndexChanged: if (currentIndex >= 0) positionViewAtIndex(currentIndex, ListView.Contain)

        delegate: Item {
            id: row
            objectName: "macroNameListItem" + index
            width: view.width
            height: nameList.rowHeight
            readonly property bool isCurrent: index === nameList.current

            Rectangle {
                anchors.fill: parent
                anchors.margins: 1
                radius: 3
                color: row.isCurrent ? "#09347f" : rowMouse.containsMouse ? "#262a31" : "transparent"
            }
            Rectangle {
                visible: row.isCurrent
                x: 1
                width: 3
                height: parent.height - 2
                y: 1
                color: "#ea5413"
            }
            Text {
                x: 12
                width: parent.width - 20
                anchors.verticalCenter: parent.verticalCenter
                visible: nameList.editing !== index
                text: modelData
                elide: Text.ElideRight
                color: row.isCurrent || rowMouse.containsMouse ? "#ea5413" : "#ffffff"
                font.family: Style.fontFamily
                font.pixelSize: 12
            }
            MouseArea {
                id: rowMouse
                anchors.fill: parent
                hoverEnabled: true
                onClicked: nameList.chosen(index)
                onDoubleClicked: nameList.editRequested(index)
            }
            Rectangle {
                visible: nameList.editing === index
                x: 8
                width: parent.width - 16
                height: 21
                anchors.verticalCenter: parent.verticalCenter
                color: "#1a1a1a"
                border.color: "#ea5413"
                TextInput {
                    id: nameInput
                    objectName: "macroNameInput"
                    anchors.fill: parent
                    anchors.leftMargin: 4
                    anchors.rightMargin: 4
                    verticalAlignment: TextInput.AlignVCenter
                    clip: true
                    color: "#ffffff"
                    selectByMouse: true
                    font.family: Style.fontFamily
                    font.pixelSize: 12
                    onTextEdited: nameList.draft = text
                    onAccepted: nameList.editAccepted()
                    Component.onCompleted: if (nameList.editing === index) open()
                    function open() {
                        text = modelData
                        nameList.draft = text
                        selectAll()
                        forceActiveFocus()
                    }
                    Connections {
                        target: nameList
                        function onEditingChanged() { if (nameList.editing === index) nameInput.open() }
                    }
                }
            }
        }
    }
}
