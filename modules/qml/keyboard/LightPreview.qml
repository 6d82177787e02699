import QtQuick
import "lighting.js" as Lighting

// What the lighting page's values look like, as a tint per key on the
// keyboard picture (an approximation, captioned as such on the page).
//
// One timer moves `phase` five times a second; the keyboard picture draws
// the tints of `tintList` with one item. The timer runs only for moving
// effects while the page is shown in a visible window.
Item {
    id: preview
    property var page                   // the LightPage whose values are shown
    // Whether the lighting page is on screen (the picture shows the preview).
    property bool shown: false
    // The window's visibility, not Window.window.visible: inside the
    // program's QQuickWidget only the visibility follows the widget being
    // hidden to the tray or minimised.
    readonly property bool windowVisible: Window.visibility !== Window.Hidden && Window.visibility !== Window.Minimized
    readonly property int effect: page ? page.effect : 0
    readonly property bool animated: Lighting.isAnimated(effect)
    readonly property bool running: shown && windowVisible && animated
    property real phase: 0
    // Strongest tint: the keycap legends stay readable through it.
    readonly property real strongest: 0.55
    readonly property color unlitTint: Qt.rgba(0, 0, 0, 0.45)

    Timer {
        id: frames
        objectName: "previewTimer"
        interval: Lighting.frameMs
        repeat: true
        running: preview.running
        onTriggered: {
            var step = interval / Lighting.cycleMs(preview.page.speed)
            preview.phase = (preview.phase + step) % 1
        }
    }

    // The tint of a key in `column` (lit: set in the user picture shown) at
    // `phase`, from the page's values as tintList read them.
    function tintAt(values, column, lit, phase) {
        var level = Lighting.previewLevel(values.effect, column, phase, values.direction, lit)
        if (level < 0)
            return values.unlit
        var alpha = values.strongest * level * (0.25 + 0.75 * values.brightness / Lighting.maxOffset)
        if (values.colourMode !== 0)
            return Qt.hsva(Lighting.previewHue(values.effect, column, phase, values.direction), 1, 1, alpha)
        return Qt.rgba(values.red / 255, values.green / 255, values.blue / 255, alpha)
    }

    // The tints of all keys by key index at `phase`; `lit` flags the keys lit
    // in the user picture shown. A tint depends only on the key's column and
    // whether it is lit, so each pair is worked out once a frame.
    function tintList(lit, phase) {
        var tints = []
        if (!shown || !page)
            return tints
        // Read once: every read of a property in a binding is watched.
        var values = { effect: effect, direction: page.direction, brightness: page.brightness,
                       colourMode: page.colourMode, red: page.red, green: page.green, blue: page.blue,
                       unlit: unlitTint, strongest: strongest }
        var known = {}
        for (var i = 0; i < Lighting.keyCount; ++i) {
            var on = lit[i] === true
            var column = Math.floor(i / Lighting.rowCount)
            var slot = column * 2 + (on ? 1 : 0)
            if (known[slot] === undefined)
                known[slot] = tintAt(values, column, on, phase)
            tints.push(known[slot])
        }
        return tints
    }
}
