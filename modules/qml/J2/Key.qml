import QtQuick

// One key's hot spot on the keyboard picture: a see-through tint (the
// lighting preview; transparent elsewhere), its 2 px border shown in the mark
// colour while the key is marked. It holds no mouse area of its own; the
// picture finds the key under the pointer.
Rectangle {
    property int keyIndex: -1
    property bool marked: false
    property color markColor: "#ea5413"
    property color tint: "transparent"
    // A key whose assignment is not its default carries a dot in its top
    // right corner as well, which stays while the border follows the pointer.
    property bool changed: false

    color: tint
    radius: 2
    border.width: 2
    border.color: marked ? markColor : "transparent"

    Rectangle {
        objectName: "changedDot"
        visible: parent.changed
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.margins: 4
        width: 6
        height: 6
        radius: 3
        color: parent.markColor
    }
}
