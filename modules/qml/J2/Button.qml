import QtQuick
import "../basic/style.js" as Style

// Image button: selected image while selected or pressed, hover image under
// the mouse, else the normal one. The hover text floats above it.
Item {
    id: button
    property string area: "keyboard"
    property string name: ""
    property bool selected: false
    property string hoverText: ""
    property string text: ""
    property color textColor: selected ? "#ea5413" : "#ffffff"
    property alias hovered: mouse.containsMouse
    readonly property string base: "qrc:/" + area + "/modules/img/skin1/" + area + "/" + name
    signal btnClick()

    width: image.implicitWidth
    height: image.implicitHeight

    Image {
        id: image
        anchors.fill: parent
        source: button.name === "" ? ""
              : button.base + ((button.selected || mouse.pressed) ? "S" : mouse.containsMouse ? "H" : "") + ".png"
    }
    // The label and the hover text exist only while they show: most
    // buttons are images without a label, and a tip is laid out for nothing
    // until the pointer comes.
    Loader {
        anchors.centerIn: parent
        active: button.text !== ""
        sourceComponent: Text {
            text: button.text
            color: mouse.containsMouse && !button.selected ? "#ffffff" : button.textColor
            font.family: Style.fontFamily
            font.pixelSize: 14
        }
    }
    Loader {
        anchors.bottom: parent.top
        anchors.bottomMargin: 4
        anchors.horizontalCenter: parent.horizontalCenter
        z: 10
        active: mouse.containsMouse && button.hoverText !== ""
        sourceComponent: Rectangle {
            objectName: "hoverTip"
            width: tip.implicitWidth + 12
            height: tip.implicitHeight + 6
            radius: 3
            color: "#1a1a1a"
            border.color: "#3c3c3c"
            Text {
                id: tip
                anchors.centerIn: parent
                text: button.hoverText
                color: "#d1d1d1"
                font.family: Style.fontFamily
                font.pixelSize: 11
            }
        }
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.btnClick()
    }
}
