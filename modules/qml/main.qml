import QtQuick

// The root document of the window. The bridge calls its functions by name:
// "initUI" and "run" after every device detection, "setProtectUI" for busy
// periods, "detectKeyboard"/"detectMouse" for captured input.
Item {
    id: main
    width: 1000
    height: 640
    visible: false

    property int deviceConnectState: 0
    property int lastBusyTime: 0
    // Every call the bridge made, oldest first: shown in the window and read by tests.
    property var received: []

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int mouseCode, int x, int y)

    function note(call) {
        var calls = received.slice(-11)
        calls.push(call)
        received = calls
    }

    function initUI() {
        note("initUI")
        main.visible = true
        deviceConnectState = ui_View.getDeviceConnectState()
    }
    function run() { note("run") }
    function setProtectUI(busyTime) {
        note("setProtectUI " + busyTime)
        lastBusyTime = busyTime
    }
    function setCurrentDPI(dpiValue) { note("setCurrentDPI " + dpiValue) }
    function setProfile(no) { note("setProfile " + no) }
    function detectKeyboard(isDown, usbCode) {
        note("detectKeyboard " + isDown + " " + usbCode)
        msg_KB(isDown, usbCode)
    }
    function detectMouse(isDown, mouseCode, x, y) {
        note("detectMouse " + isDown + " " + mouseCode)
        msg_MS(isDown, mouseCode, x, y)
    }

    Rectangle {
        anchors.fill: parent
        radius: 8
        color: "#1a1a1a"
        border.color: "#3c3c3c"

        Column {
            anchors.centerIn: parent
            spacing: 14
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "VORTAN KELD SOFTWARE"
                color: "#ffffff"
                font.pixelSize: 28
                font.bold: true
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: main.deviceConnectState === 0
                      ? "No keyboard connected"
                      : "Connected devices: 0x" + main.deviceConnectState.toString(16)
                color: "#ea5413"
                font.pixelSize: 16
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: main.received.join("  ·  ")
                color: "#969696"
                font.pixelSize: 12
            }
        }
    }
}
