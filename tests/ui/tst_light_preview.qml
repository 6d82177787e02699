import QtQuick
import QtTest
import "qrc:/modules/qml/J2"
import "qrc:/modules/qml/keyboard"
import "qrc:/modules/qml/basic/strings.js" as Strings

// The lighting preview on the keyboard picture: the tint of each key for
// static effects, user pictures and the wave, what is painted, and when its
// timer runs.
TestCase {
    id: testCase
    name: "LightPreview"
    when: windowShown
    visible: true
    width: 820
    height: 520

    // The picture and the lighting page as the keyboard pages hold them.
    Component {
        id: pagesComponent
        Item {
            id: fakePages
            property int page: 0
            property int selectKey: -1
            property alias keyboardData: model
            property alias keyboard: keyboard
            property alias lightPage: light
            readonly property var lightPreview: light.preview
            property QtObject shell: QtObject {
                property int keyboardType: 0
                readonly property var keyboardPictures: ["tarnelUK"]
                property var keyboardLang: Strings.keyboardLang
                readonly property color colorOrange: "#ea5413"
                readonly property color textColor: "#ffffff"
                readonly property color colorGray0: "#1a1a1a"
                readonly property color colorGray2: "#969696"
                readonly property int fontSizeSmall: 11
                readonly property string fontFamily: ""
                readonly property int fontSizeNormal: 12
                readonly property int fontSizeMiddle: 14
            }
            function shownPicture() { return light.shownPicture }
            function isDefault(i) { return true }
            KeyboardData { id: model }
            Keyboard { id: keyboard; pages: fakePages }
            LightPage { id: light; y: 255; pages: fakePages; visible: fakePages.page === 0 }
        }
    }

    // effect, brightness, speed, red, green, blue, colour mode, direction
    function make(values, lists) {
        ui_View.reset()
        var stored = lists || {}
        stored["keyboard/lightValue"] = values
        ui_View.dataLists = stored
        var pages = createTemporaryObject(pagesComponent, testCase)
        verify(pages !== null)
        pages.lightPage.initialise(false, false)
        return pages
    }
    function tint(pages, index) {
        verify(pages.keyboard.keyRect(index).width > 0, "no hot spot for key " + index)
        var c = findChild(pages.keyboard, "keyTints").tintOf(index)
        return { r: c.r, g: c.g, b: c.b, a: c.a }
    }
    function sameColour(a, b) {
        return Math.abs(a.r - b.r) < 0.01 && Math.abs(a.g - b.g) < 0.01
            && Math.abs(a.b - b.b) < 0.01 && Math.abs(a.a - b.a) < 0.01
    }
    function isRed(c) { return c.a > 0.3 && c.r > 0.99 && c.g < 0.01 && c.b < 0.01 }
    function picture(lit) {
        var flags = []
        for (var i = 0; i < 126; ++i)
            flags.push(lit.indexOf(i) >= 0 ? 1 : 0)
        return flags
    }
    // Keys with a hot spot, by index.
    function spotIndices(pages) {
        var found = []
        for (var i = 0; i < 126; ++i)
            if (pages.keyboard.keyRect(i).width > 0)
                found.push(i)
        return found
    }

    function test_staticEffectTintsEveryKeyInItsColourOnTheLightPageOnly() {
        var pages = make(["0", "218", "109", "255", "0", "0", "0", "0"])
        var keys = spotIndices(pages)
        verify(keys.length > 100)
        var notRed = keys.filter(function(i) { return !isRed(tint(pages, i)) })
        compare(notRed, [], "keys not tinted red")
        // What is painted: red over the picture on a key and on the tall
        // Enter's ear (left of its place), nothing between the keys.
        var tints = findChild(pages.keyboard, "keyTints")
        var enter = tints.places.filter(function(place) { return place.length > 5 })[0]
        var esc = tints.places.filter(function(place) { return place[0] === 0 })[0]
        var image = grabImage(tints)
        var reddened = function(x, y) { var c = image.pixel(x, y); return c.r - c.g > 0.2 && Math.abs(c.g - c.b) < 0.05 }
        verify(reddened(esc[1] + esc[3] / 2, esc[2] + esc[4] / 2), "Esc is not painted")
        verify(reddened(enter[1] - enter[5] / 2, enter[2] + enter[6] / 2), "the tall Enter's ear is not painted")
        verify(!reddened(esc[1] + esc[3] + 1, esc[2] + esc[4] / 2), "paint between the keys")
        verify(!pages.lightPreview.running, "a static effect needs no timer")

        pages.page = 1
        compare(tint(pages, keys[0]).a, 0, "the Key page shows no tint")
    }

    function test_userPictureTintsExactlyItsLitKeys() {
        var lit = [7, 20, 50, 56]
        var pages = make(["14", "218", "0", "255", "0", "0", "0", "0"], { "keyboard/led1": picture(lit) })
        var keys = spotIndices(pages)
        lit.forEach(function(i) { verify(keys.indexOf(i) >= 0, "key " + i + " has a hot spot") })
        tryVerify(function() { return isRed(tint(pages, 20)) }, 1000)
        compare(keys.filter(function(i) { return isRed(tint(pages, i)) }), lit)
        // Unlit keys are darkened, not coloured.
        var unlit = tint(pages, 8)
        verify(unlit.a > 0 && unlit.r === 0 && unlit.g === 0 && unlit.b === 0)

        // A click lights the key in the preview at once.
        pages.lightPage.keyClicked(8)
        tryVerify(function() { return isRed(tint(pages, 8)) }, 1000)
    }

    function test_waveMovesWithThePhaseInTheChosenDirection_data() {
        return [ { tag: "left to right", direction: "0", ahead: 3 },
                 { tag: "right to left", direction: "1", ahead: -3 } ]
    }
    function test_waveMovesWithThePhaseInTheChosenDirection(data) {
        var pages = make(["2", "218", "109", "0", "255", "0", "0", data.direction])
        var preview = pages.lightPreview
        var row = 2, column = 8
        preview.phase = 0
        var before = tint(pages, 6 * column + row)
        preview.phase = 3 / 21
        var after = tint(pages, 6 * column + row)
        verify(!sameColour(before, after), "the key's colour changes with the phase")
        // The colour the key had has travelled three columns on.
        var travelled = tint(pages, 6 * (column + data.ahead) + row)
        verify(sameColour(before, travelled), "moved " + data.ahead + " columns: " + JSON.stringify([before, travelled]))
    }

    function test_timerRunsOnlyForMovingEffectsOnTheShownLightPage() {
        var pages = make(["2", "218", "218", "255", "255", "255", "1", "0"])
        var preview = pages.lightPreview
        var timer = findChild(preview, "previewTimer")
        verify(timer.running)
        var phase = preview.phase
        tryVerify(function() { return preview.phase !== phase }, 2000, "the wave animates")

        pages.page = 1
        verify(!timer.running, "stopped on the Key page")
        pages.page = 2
        verify(!timer.running, "stopped in the macro editor")
        pages.page = 0
        verify(timer.running)

        pages.lightPage.effect = 0
        verify(!timer.running, "stopped for the static effect")
        pages.lightPage.effect = 1
        verify(timer.running, "breathing animates")
        pages.lightPage.effect = 15
        verify(!timer.running, "stopped for a user picture")

        pages.lightPage.effect = 2
        var window = testCase.Window.window
        window.visible = false
        verify(!timer.running, "stopped while the window is hidden")
        window.visible = true
        verify(timer.running)
    }
}
