import QtQuick

// A knob on a track; the value is the knob's offset in pixels, 0 to
// track width − knob width. A click on the track glides the knob there in
// 120 ms and reports at the end; a drag reports on release.
Item {
    id: slider
    property int knobWidth: 14
    property int value: 0
    readonly property int maximum: Math.max(0, width - knobWidth)
    signal valueChange(int value)

    width: 200
    height: 14

    function clamp(x) { return Math.max(0, Math.min(maximum, Math.round(x))) }
    // The knob centred on the click, kept on the track.
    function clickTo(x) {
        glide.to = clamp(x - knobWidth / 2)
        glide.restart()
    }
    function setValue(v) { knob.x = clamp(v); value = knob.x }

    Rectangle {
        id: track
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width
        height: 4
        radius: 2
        color: "#3c3c3c"
        Rectangle { width: knob.x + knob.width / 2; height: parent.height; radius: 2; color: "#09347f" }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: function(mouse) { slider.clickTo(mouse.x) }
    }
    Rectangle {
        id: knob
        objectName: slider.objectName + "Knob"
        width: slider.knobWidth
        height: slider.height
        radius: width / 2
        color: drag.pressed ? "#ea5413" : "#d1d1d1"
        border.color: "#ea5413"
        MouseArea {
            id: drag
            anchors.fill: parent
            drag.target: knob
            drag.axis: Drag.XAxis
            drag.minimumX: 0
            drag.maximumX: slider.maximum
            onReleased: { slider.value = knob.x; slider.valueChange(slider.value) }
        }
    }
    NumberAnimation {
        id: glide
        target: knob
        property: "x"
        duration: 120
        onFinished: { slider.value = knob.x; slider.valueChange(slider.value) }
    }
}
