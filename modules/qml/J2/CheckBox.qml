import QtQuick
import "../basic/style.js" as Style

// An image and a text; a click toggles the selected state. In a mutually
// exclusive pair the handlers of btnClick deselect the other box.
Item {
    id: box
    property bool selected: false
    property string text: ""
    signal btnClick()

    width: mark.width + 6 + label.implicitWidth
    height: 16

    Image {
        id: mark
        width: 14
        height: 14
        anchors.verticalCenter: parent.verticalCenter
        source: "qrc:/macros/modules/img/skin1/macros/checkBox" + (box.selected ? "S" : "") + ".png"
    }
    Text {
        id: label
        anchors.left: mark.right
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        text: box.text
        color: "#ffffff"
        font.family: Style.fontFamily
        font.pixelSize: 12
    }
    MouseArea {
        anchors.fill: parent
        onClicked: { box.selected = !box.selected; box.btnClick() }
    }
}
