import QtQuick

// One key's hot spot on the keyboard picture: its 2 px border shown in the
// mark colour while the key is marked, else nothing (an unmarked key is not
// drawn at all; the preview's tints lie under it). It holds no mouse area of
// its own; the picture finds the key under the pointer and dots the changed keys.
Rectangle {
    property int keyIndex: -1
    property bool marked: false
    property color markColor: "#ea5413"

    color: "transparent"
    radius: 2
    border.width: 2
    border.color: marked ? markColor : "transparent"
}
