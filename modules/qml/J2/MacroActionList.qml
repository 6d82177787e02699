import QtQuick
import "../basic/style.js" as Style

// The actions of the current macro under the headings "Key", "Action",
// "Delay(MS)": 30 px rows, at most 452 px high. The action column shows a
// press or release image; a double-click opens the delay for editing, and a
// right-click asks for the context menu at the pointer.
Item {
    id: actionList
    property var actions: []
    property int current: -1
    property int editing: -1            // row whose delay is being edited
    property string draft: ""
    property var headings: ["Key", "Action", "Delay(MS)"]
    readonly property int rowHeight: 30
    readonly property int headerHeight: 20
    readonly property var columns: [{ x: 0, w: 230 }, { x: 230, w: 170 }, { x: 400, w: 189 }]
    signal chosen(int index)
    signal editRequested(int index)
    signal editAccepted()
    // x, y in this item's coordinates.
    signal menuRequested(real x, real y)

    width: 589
    height: headerHeight + 452

    Row {
        Repeater {
            model: 3
            Text {
                width: actionList.columns[index].w
                height: actionList.headerHeight
                leftPadding: 14
                verticalAlignment: Text.AlignVCenter
                text: actionList.headings[index]
                color: "#969696"
                font.family: Style.fontFamily
                font.pixelSize: 12
                font.bold: true
            }
        }
    }

    Rectangle {
        id: frame
        y: actionList.headerHeight
        width: parent.width
        height: 452
        radius: 6
        color: "#18191c"
        border.color: "#3c3c3c"

        // A right-click on the free part of the list opens the menu as well.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.RightButton
            onClicked: function(mouse) {
                actionList.menuRequested(mouse.x, mouse.y + actionList.headerHeight)
            }
        }

        ListView {
            id: view
            objectName: "actionList"
            width: parent.width
            height: Math.min(actionList.actions.length * actionList.rowHeight, frame.height)
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: actionList.actions
            currentIndex: actionList.current
            onCurrentIndexChanged: if (currentIndex >= 0) positionViewAtIndex(currentIndex, ListView.Contain)

            delegate: Item {
                id: row
                objectName: "actionListItem" + index
                width: view.width
                height: actionList.rowHeight
                readonly property bool isCurrent: index === actionList.current

                Rectangle {
                    anchors.fill: parent
                    anchors.margins: 1
                    radius: 3
                    color: row.isCurrent ? Qt.rgba(0.92, 0.33, 0.07, 0.22)
                         : rowMouse.containsMouse ? "#262a31" : (index % 2 ? "#1d1f23" : "transparent")
                }
                Rectangle {
                    visible: row.isCurrent
                    x: 1
                    y: 1
                    width: 3
                    height: parent.height - 2
                    color: "#ea5413"
                }
                Text {
                    x: actionList.columns[0].x + 14
                    width: actionList.columns[0].w - 20
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData.key
                    elide: Text.ElideRight
                    color: row.isCurrent ? "#ea5413" : "#ffffff"
                    font.family: Style.fontFamily
                    font.pixelSize: 12
                }
                Image {
                    x: actionList.columns[1].x + 10
                    anchors.verticalCenter: parent.verticalCenter
                    source: "qrc:/macros/modules/img/skin1/macros/"
                            + (modelData.action === 1 ? "actionRelease" : "actionPress") + ".png"
                }
                Text {
                    x: actionList.columns[2].x + 14
                    anchors.verticalCenter: parent.verticalCenter
                    visible: actionList.editing !== index
                    text: modelData.delay
                    color: row.isCurrent ? "#ea5413" : "#d1d1d1"
                    font.family: Style.fontFamily
                    font.pixelSize: 12
                }
                MouseArea {
                    id: rowMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function(mouse) {
                        actionList.chosen(index)
                        if (mouse.button === Qt.RightButton) {
                            var p = mapToItem(actionList, mouse.x, mouse.y)
                            actionList.menuRequested(p.x, p.y)
                        }
                    }
                    onDoubleClicked: function(mouse) {
                        if (mouse.button === Qt.LeftButton)
                            actionList.editRequested(index)
                    }
                }
                Rectangle {
                    visible: actionList.editing === index
                    x: actionList.columns[2].x + 8
                    width: 90
                    height: 22
                    anchors.verticalCenter: parent.verticalCenter
                    color: "#1a1a1a"
                    border.color: "#ea5413"
                    TextInput {
                        id: delayInput
                        objectName: "delayInput"
                        anchors.fill: parent
                        anchors.leftMargin: 4
                        anchors.rightMargin: 4
                        verticalAlignment: TextInput.AlignVCenter
                        maximumLength: 5
                        clip: true
                        color: "#ffffff"
                        selectByMouse: true
                        font.family: Style.fontFamily
                        font.pixelSize: 12
                        onTextEdited: actionList.draft = text
                        onAccepted: actionList.editAccepted()
                        Component.onCompleted: if (actionList.editing === index) open()
                        function open() {
                            text = String(modelData.delay)
                            actionList.draft = text
                            selectAll()
                            forceActiveFocus()
                        }
                        Connections {
                            target: actionList
                            function onEditingChanged() { if (actionList.editing === index) delayInput.open() }
                        }
                    }
                }
            }
        }
    }
}
