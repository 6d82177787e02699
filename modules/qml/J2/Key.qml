import QtQuick

// One key's hot spot on the keyboard picture: a see-through tint (the
// lighting preview; transparent elsewhere), its 2 px border shown in the mark
// colour while the key is marked. It holds no mouse area of its own; the
// picture finds the key under the pointer and dots the changed keys.
Rectangle {
    property int keyIndex: -1
    property bool marked: false
    property color markColor: "#ea5413"
    property color tint: "transparent"

    color: tint
    radius: 2
    border.width: 2
    border.color: marked ? markColor : "transparent"
}
