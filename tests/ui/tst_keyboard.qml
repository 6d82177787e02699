import QtQuick
import QtTest
import "qrc:/modules/qml/J2"
import "qrc:/modules/qml/keyboard"
import "qrc:/modules/qml/basic/keyGeometry.js" as Geometry
import "qrc:/modules/qml/keyboard/keyMatrix.js" as Matrix

// The keyboard picture: one hot spot per key of the edition, which borders
// show on each page, clicks, and the Key page's tip.
TestCase {
    id: testCase
    name: "Keyboard"
    when: windowShown
    visible: true
    width: 820
    height: 300

    readonly property var editions: ["tarnelUK", "sovrinUK", "tarnelUS", "sovrinUS", "duskenUS"]

    // What the picture reads from the container and the shell.
    Component {
        id: pagesComponent
        Item {
            id: fakePages
            property int page: 0
            property int selectKey: -1
            property int picture: -1
            property var notDefault: ({})       // key index → assignment text
            property alias keyboardData: model
            property alias keyboard: keyboard
            property QtObject shell: QtObject {
                property int keyboardType: 0
                readonly property var keyboardPictures: testCase.editions
                readonly property color colorOrange: "#ea5413"
                readonly property color colorGray0: "#1a1a1a"
                readonly property color textColor: "#ffffff"
                readonly property string fontFamily: ""
                readonly property int fontSizeSmall: 11
            }
            function shownPicture() { return picture }
            function isDefault(i) { return notDefault[i] === undefined }
            function assignmentText(i) { return notDefault[i] === undefined ? "" : notDefault[i] }
            KeyboardData { id: model }
            Keyboard { id: keyboard; pages: fakePages }
        }
    }
    Component { id: spyOf; SignalSpy {} }

    function make(page) {
        var pages = createTemporaryObject(pagesComponent, testCase, { page: page })
        verify(pages !== null)
        return pages
    }
    function key(pages, index) {
        var spot = pages.keyboard.keyRect(index)
        verify(spot.width > 0, "no hot spot for key " + index)
        return spot
    }
    function markedKeys(pages) {
        var marked = []
        for (var i = 0; i < 126; ++i) {
            if (pages.keyboard.isMarked(i))
                marked.push(i)
        }
        return marked
    }
    // Marks are worked out once the model changes have settled.
    function expectMarks(pages, expected) {
        tryVerify(function() { return JSON.stringify(markedKeys(pages)) === JSON.stringify(expected) }, 1000,
                  "marked " + JSON.stringify(markedKeys(pages)) + ", expected " + JSON.stringify(expected))
    }
    function centre(spot) { return { x: spot.x + spot.width / 2, y: spot.y + spot.height / 2 } }
    // The keys carrying a changed-key dot, each dot checked to lie in its
    // key's top right corner. Keys without one hold no dot at all.
    function dottedKeys(pages) {
        var dotted = []
        var items = pages.keyboard.children
        for (var i = 0; i < items.length; ++i) {
            var dot = items[i]
            if (dot.objectName !== "changedDot")
                continue
            var spot = key(pages, dot.keyIndex)
            verify(dot.visible && dot.x + dot.width === spot.x + spot.width - 4 && dot.y === spot.y + 4,
                   "dot of key " + dot.keyIndex + " off its corner")
            dotted.push(dot.keyIndex)
        }
        return dotted.sort(function(a, b) { return a - b })
    }

    function test_oneHotSpotPerPlaceOfTheEdition_data() {
        return editions.map(function(name, type) { return { tag: name, type: type } })
    }
    function test_oneHotSpotPerPlaceOfTheEdition(data) {
        var pages = make(0)
        pages.shell.keyboardType = data.type
        var places = Geometry.editions[data.tag]
        compare(pages.keyboard.hotSpotCount, places.length)
        compare(pages.keyboard.width, Geometry.width)
        compare(pages.keyboard.height, Geometry.height)
        for (var i = 0; i < places.length; ++i) {
            var spot = key(pages, places[i][0])
            compare([spot.x, spot.y, spot.width, spot.height], places[i].slice(1, 5))
            compare(pages.keyboard.keyAt(spot.x, spot.y), places[i][0])
            compare(pages.keyboard.keyAt(spot.x + spot.width - 0.25, spot.y + spot.height - 0.25), places[i][0])
        }
        // The ISO key has a hot spot only where the picture has the key.
        compare(pages.keyboard.keyRect(10).width > 0, data.tag.indexOf("UK") > 0)
    }

    // Every position the key matrix names (the ISO key on UK editions only)
    // and the four unnamed row-0 places above the keypad has exactly one hot
    // spot, and a click on it reports that position and no other.
    function test_everyMatrixKeyCanBeClicked_data() {
        return editions.map(function(name, type) { return { tag: name, type: type } })
    }
    function test_everyMatrixKeyCanBeClicked(data) {
        var expected = [6 * 17, 6 * 18, 6 * 19, 6 * 20]
        for (var i = 0; i < Matrix.keyCount; ++i) {
            if (Matrix.nameAt(i) !== "" && (i !== Matrix.isoKeyIndex || data.tag.indexOf("UK") > 0))
                expected.push(i)
        }
        expected.sort(function(a, b) { return a - b })
        var spots = Geometry.editions[data.tag].map(function(k) { return k[0] })
        spots.sort(function(a, b) { return a - b })
        compare(spots, expected)

        var pages = make(0)
        pages.shell.keyboardType = data.type
        var spy = createTemporaryObject(spyOf, testCase, { target: pages.keyboard, signalName: "keyClicked" })
        for (var j = 0; j < expected.length; ++j) {
            var spot = key(pages, expected[j])
            mouseClick(pages.keyboard, spot.x + spot.width / 2, spot.y + spot.height / 2)
            compare(spy.signalArguments[spy.count - 1][0], expected[j])
        }
        compare(spy.count, expected.length)
    }

    function test_lightPageMarksTheKeysLitInThePictureShown() {
        var pages = make(0)
        pages.keyboardData.setLed(16, 1, true)
        pages.keyboardData.setLed(41, 1, true)
        pages.keyboardData.setLed(9, 0, true)
        wait(20)
        compare(markedKeys(pages), [])           // no picture shown
        pages.picture = 1
        expectMarks(pages, [16, 41])
        pages.picture = 0
        expectMarks(pages, [9])
        pages.keyboardData.setLed(9, 0, false)
        pages.keyboardData.setLed(2, 0, true)
        expectMarks(pages, [2])

        // Hover and selection mark nothing on the Light page.
        pages.selectKey = 30
        mouseMove(pages.keyboard, centre(key(pages, 20)).x, centre(key(pages, 20)).y)
        wait(20)
        compare(markedKeys(pages), [2])
    }

    function test_keyPageMarksHoveredSelectedAndChangedKeys() {
        var pages = make(1)
        pages.notDefault = { 9: "Play/Pause", 71: "Power" }
        pages.keyboardData.setLed(16, 0, true)     // pictures do not count here
        pages.picture = 0
        pages.keyboardData.setProperty(9, "functionIndex", 3)   // a model change refreshes the marks
        expectMarks(pages, [9, 71])
        pages.selectKey = 30
        compare(markedKeys(pages), [9, 30, 71])
        var a = centre(key(pages, 20))
        mouseMove(pages.keyboard, a.x, a.y)
        tryVerify(function() { return pages.keyboard.isMarked(20) })
        compare(markedKeys(pages), [9, 20, 30, 71])
        mouseMove(pages.keyboard, pages.keyboard.width - 2, 2)   // a corner with no key
        tryVerify(function() { return !pages.keyboard.isMarked(20) })
        // Changed keys also carry a dot; the selected and hovered ones do not.
        compare(dottedKeys(pages), [9, 71])

        // On the macro page nothing is marked.
        pages.page = 2
        expectMarks(pages, [])
        compare(dottedKeys(pages), [])
    }

    function test_clicksReportTheKeyOnTheLightAndKeyPages_data() {
        return [
            { tag: "light, left", page: 0, button: Qt.LeftButton, reported: true },
            { tag: "key, right", page: 1, button: Qt.RightButton, reported: true },
            { tag: "macro", page: 2, button: Qt.LeftButton, reported: false },
        ]
    }
    function test_clicksReportTheKeyOnTheLightAndKeyPages(data) {
        var pages = make(data.page)
        var spy = createTemporaryObject(spyOf, testCase, { target: pages.keyboard, signalName: "keyClicked" })
        var z = key(pages, 16)
        mouseClick(pages.keyboard, z.x + 3, z.y + z.height - 3, data.button)
        compare(spy.count, data.reported ? 1 : 0)
        if (data.reported)
            compare(spy.signalArguments[0][0], 16)
        // Between the keys nothing is reported.
        var esc = key(pages, 0)
        mouseClick(pages.keyboard, esc.x + esc.width + 4, esc.y + 4, data.button)
        compare(spy.count, data.reported ? 1 : 0)
    }

    function test_tipShowsWhatAChangedKeyDoesInsideThePicture_data() {
        return [
            { tag: "A", index: 9, text: "A To Play/Pause" },
            { tag: "Esc, top left", index: 0, text: "Esc To Vol+" },
            { tag: "KPEnter, right edge", index: 124, text: "KPEnter To Macro 1" },
            { tag: "RCtrl, bottom row", index: 83, text: "RCtrl To Power" },
            { tag: "long, right edge", index: 124, text: "KPEnter To LCtrl+LAlt+Del+RShift+Back" },
        ]
    }
    function test_tipShowsWhatAChangedKeyDoesInsideThePicture(data) {
        var pages = make(1)
        pages.shell.keyboardType = 2
        var notDefault = {}
        notDefault[data.index] = data.text.split(" To ")[1]
        pages.notDefault = notDefault
        var tip = findChild(pages.keyboard, "keyTip")
        verify(!tip.visible)
        var spot = key(pages, data.index)
        mouseMove(pages.keyboard, centre(spot).x, centre(spot).y)
        tryVerify(function() { return tip.visible })
        compare(tip.children[0].text, data.text)
        verify(!tip.children[0].truncated, "tip cut: " + tip.width)
        verify(tip.width >= 120)
        compare(tip.height, 24)
        verify(tip.x >= 0 && tip.x + tip.width <= pages.keyboard.width, "tip x " + tip.x)
        verify(tip.y >= 0 && tip.y + tip.height <= pages.keyboard.height, "tip y " + tip.y)
        // Beside the key, not over it.
        verify(tip.y >= spot.y + spot.height || tip.y + tip.height <= spot.y, "tip y " + tip.y)

        // A key at its default shows no tip, nor does the Light page.
        var other = key(pages, data.index === 9 ? 16 : 9)
        mouseMove(pages.keyboard, centre(other).x, centre(other).y)
        tryVerify(function() { return !tip.visible })
        mouseMove(pages.keyboard, centre(spot).x, centre(spot).y)
        tryVerify(function() { return tip.visible })
        pages.page = 0
        verify(!tip.visible)
    }
}
