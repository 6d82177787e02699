import QtQuick
import "style.js" as Style

// "LOADING ......" on a dark plate over everything (labelOffset below the
// centre); the text pulses while busy.
Item {
    id: busy
    property bool running: false
    property real labelOffset: 0
    anchors.fill: parent
    visible: running
    z: 1000

    // Swallows every press while shown, so nothing under it reacts.
    MouseArea { anchors.fill: parent; hoverEnabled: true }
    // A plate of its own under the text, so that it reads over the key
    // legends and the pages' texts.
    Rectangle {
        objectName: "busyBackdrop"
        anchors.centerIn: label
        width: label.implicitWidth + 40
        height: label.implicitHeight + 16
        radius: 6
        color: "#1a1a1a"
        opacity: 0.9
        border.color: "#3c3c3c"
    }
    Text {
        id: label
        objectName: "busyLabel"
        anchors.centerIn: parent
        anchors.verticalCenterOffset: busy.labelOffset
        text: "LOADING ......"
        color: "#ffffff"
        style: Text.Outline
        styleColor: "#000000"
        font.family: Style.fontFamily
        font.pixelSize: 14
        font.bold: true
        SequentialAnimation on opacity {
            running: busy.running
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
