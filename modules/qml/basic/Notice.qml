import QtQuick
import "style.js" as Style

// A short line telling the user why something did not happen (a limit
// reached); it shows for a few seconds where it is placed, or for as long
// as `held` is true.
Rectangle {
    id: notice
    property string text: ""
    property bool held: false
    readonly property bool shown: visible

    function show(message) {
        text = message
        hideTimer.restart()
    }

    visible: held || hideTimer.running
    width: 180
    height: label.implicitHeight + 10
    radius: 4
    color: "#1a1a1a"
    border.color: "#ea5413"
    z: 60

    Text {
        id: label
        objectName: "noticeText"
        x: 8
        y: 5
        width: notice.width - 16
        wrapMode: Text.Wrap
        text: notice.text
        color: "#ffffff"
        font.family: Style.fontFamily
        font.pixelSize: 11
    }
    Timer {
        id: hideTimer
        interval: 4000
    }
}
