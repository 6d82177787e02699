import QtQuick
import QtTest
import "qrc:/modules/qml/keyboard"
import "qrc:/modules/qml/basic/strings.js" as Strings

// The lighting page against the recording bridge: what initialisation
// reads, stores and sends, editing, Save, and the user pictures in the
// order the keyboard reads them.
TestCase {
    id: testCase
    name: "LightPage"
    when: windowShown
    visible: true
    width: 820
    height: 300

    Component {
        id: pagesComponent
        Item {
            id: fakePages
            property int page: 0
            property alias keyboardData: model
            property alias lightPage: light
            property QtObject shell: QtObject {
                property var keyboardLang: Strings.keyboardLang
                readonly property color textColor: "#ffffff"
                readonly property color colorGray2: "#969696"
                readonly property string fontFamily: ""
                readonly property int fontSizeNormal: 12
                readonly property int fontSizeMiddle: 14
                function controlUIEnable(enable) { ui_View.setEnabled(enable) }
            }
            function shownPicture() { return light.shownPicture }
            KeyboardData { id: model }
            LightPage { id: light; pages: fakePages }
        }
    }

    readonly property var stored: ["13", "100", "50", "1", "2", "3", "1", "1"]

    function picture(lit) {
        var flags = []
        for (var i = 0; i < 126; ++i)
            flags.push(lit.indexOf(i) >= 0 ? 1 : 0)
        return flags
    }
    function setPositions(flags) {
        var set = []
        for (var i = 0; i < flags.length; ++i)
            if (Number(flags[i]) !== 0)
                set.push(i)
        return set
    }
    function callsTo(slot) {
        return ui_View.calls.filter(function(c) { return c.split(" ")[0] === slot })
    }
    function make(lists, factory) {
        ui_View.reset()
        ui_View.dataLists = lists || {}
        ui_View.factoryLists = factory || {}
        var pages = createTemporaryObject(pagesComponent, testCase)
        verify(pages !== null)
        return pages
    }
    function child(pages, name) {
        var item = findChild(pages.lightPage, name)
        verify(item !== null, name)
        return item
    }
    function ledsOf(pages, k) {
        var lit = []
        for (var i = 0; i < 126; ++i)
            if (pages.keyboardData.get(i)["led" + k] === 1)
                lit.push(i)
        return lit
    }

    function test_initialiseReadsStoresAndSends_data() {
        return [
            { tag: "start-up", send: false, recovery: false },
            { tag: "profile change", send: true, recovery: false },
            { tag: "recovery", send: true, recovery: true },
        ]
    }
    function test_initialiseReadsStoresAndSends(data) {
        var lists = { "keyboard/lightValue": stored, "keyboard/led0": picture([16, 41]), "keyboard/led3": picture([0]) }
        var pages = data.recovery ? make({ "keyboard/lightValue": ["0"] }, lists) : make(lists)
        pages.lightPage.initialise(data.send, data.recovery)

        var flag = data.recovery ? " true" : " false"
        var expected = ["getDataList keyboard/lightValue" + flag]
        for (var k = 0; k < 5; ++k)
            expected.push("getDataList keyboard/led" + k + flag)
        expected.push("setDataList keyboard/lightValue 13,100,50,1,2,3,1,1")
        // effect, brightness, speed, colour mode, direction, red, green, blue, isSendCode
        expected.push("keyboardSetRGBEffect 13 100 50 1 1 1 2 3 0")
        if (data.send) {
            expected.push("keyboardSetRGBEffect 13 100 50 1 1 1 2 3 1")
            // Z (16) also goes to 10, Space (41) also to 35.
            expected.push("keyboardSetPicture 0 " + picture([10, 16, 35, 41]).join(","))
        }
        compare(ui_View.calls, expected)

        // The controls show the values, the key model the pictures.
        compare(child(pages, "effectList").currentIndex, 13)
        compare(child(pages, "brightnessSlider").value, 100)
        compare(child(pages, "speedSlider").value, 50)
        verify(child(pages, "directionRightToLeft").selected)
        verify(!child(pages, "directionLeftToRight").selected)
        compare(pages.lightPage.shownPicture, 0)
        compare(ledsOf(pages, 0), [16, 41])
        compare(ledsOf(pages, 3), [0])
        compare(ledsOf(pages, 1), [])
    }

    function test_initialiseWithoutASendablePictureSendsOnlyTheEffect() {
        var pages = make({ "keyboard/lightValue": ["2", "218", "109", "255", "255", "255", "1", "0"] })
        pages.lightPage.initialise(true, false)
        compare(ui_View.count("keyboardSetRGBEffect 2 218 109 1 0 255 255 255 1"), 1)
        compare(callsTo("keyboardSetPicture"), [])
        compare(pages.lightPage.shownPicture, -1)
        verify(child(pages, "directionLeftToRight").selected)
    }

    function test_missingShortOrBadListsReadAsFactoryValues_data() {
        return [
            { tag: "missing", lists: {}, values: "2,218,109,255,255,255,1,0" },
            { tag: "short", lists: { "keyboard/lightValue": ["5", "10"] }, values: "5,10,109,255,255,255,1,0" },
            { tag: "out of range", lists: { "keyboard/lightValue": ["18", "219", "-1", "256", "x", "", "1", "2"] },
              values: "2,218,109,255,255,255,1,0" },
            { tag: "numbers", lists: { "keyboard/lightValue": [17, 0, 218, 0, 0, 0, 0, 1] }, values: "17,0,218,0,0,0,0,1" },
        ]
    }
    function test_missingShortOrBadListsReadAsFactoryValues(data) {
        var lists = data.lists
        lists["keyboard/led2"] = ["1", "0", "1"]      // a short picture: the rest unlit
        lists["keyboard/led4"] = ["a", "1"]
        var pages = make(lists)
        pages.lightPage.initialise(false, false)
        compare(ui_View.calls[6], "setDataList keyboard/lightValue " + data.values)
        compare(ledsOf(pages, 2), [0, 2])
        compare(ledsOf(pages, 4), [1])
        compare(ledsOf(pages, 0), [])
    }

    function test_leftToRightOnlyWithWave() {
        var pages = make({ "keyboard/lightValue": stored })
        pages.lightPage.initialise(false, false)
        ui_View.reset()
        var left = child(pages, "directionLeftToRight"), right = child(pages, "directionRightToLeft")
        for (var effect = 0; effect < 18; ++effect) {
            pages.lightPage.effect = effect
            compare(left.enabled, effect === 2, "effect " + effect)
            verify(right.enabled)
        }
        // Not with "Breathing": the click changes nothing.
        pages.lightPage.effect = 1
        mouseClick(left, 5, 8)
        compare(pages.lightPage.direction, 1)
        verify(!left.selected)
        // With "Wave" the pair is exclusive.
        pages.lightPage.effect = 2
        mouseClick(left, 5, 8)
        compare(pages.lightPage.direction, 0)
        verify(left.selected && !right.selected)
        mouseClick(left, 5, 8)                     // clicking the chosen one keeps it
        compare(pages.lightPage.direction, 0)
        verify(left.selected && !right.selected)
        // "Right to Left" with any effect.
        pages.lightPage.effect = 9
        mouseClick(right, 5, 8)
        compare(pages.lightPage.direction, 1)
        verify(right.selected && !left.selected)
        compare(callsTo("setDataList"), [])              // editing stores nothing
    }

    function test_savePlainEffectChosenWithTheControls() {
        var pages = make({ "keyboard/lightValue": stored, "keyboard/led0": picture([16]) })
        pages.lightPage.initialise(false, false)
        ui_View.reset()
        var list = child(pages, "effectList")
        mouseClick(list, 20, 10)
        wait(list.slideTime + 60)
        mouseClick(list, 20, list.height + 6 * 20 + 10)   // "Getting On", the 7th row
        tryCompare(pages.lightPage, "effect", 6)
        compare(pages.lightPage.shownPicture, -1)
        var brightness = child(pages, "brightnessSlider")
        mouseClick(brightness, 112.5, 9)                    // knob centred there: offset 100
        tryCompare(pages.lightPage, "brightness", 100)
        var speed = child(pages, "speedSlider")
        mouseClick(speed, 240, 9)                           // near the end: clamped to 218
        tryCompare(pages.lightPage, "speed", 218)
        compare(ui_View.calls, [])                          // nothing stored or sent yet

        mouseClick(child(pages, "lightSaveButton"))
        // Input waits while the page is sent.
        compare(ui_View.calls, ["setDataList keyboard/lightValue 6,100,218,1,2,3,1,1", "setEnabled false",
                                "keyboardSetRGBEffect 6 100 218 1 1 1 2 3 1", "setEnabled true"])
    }

    function test_saveUserPictureInDeviceOrder() {
        var pages = make({ "keyboard/lightValue": stored, "keyboard/led1": picture([5]) })
        pages.lightPage.initialise(false, false)
        pages.lightPage.effect = 14                        // "Usr Define2": picture 1
        pages.lightPage.keyClicked(16)                     // Z
        pages.lightPage.keyClicked(9)                      // A
        pages.lightPage.keyClicked(5)                      // LCtrl off again
        ui_View.reset()
        mouseClick(child(pages, "lightSaveButton"))
        compare(ui_View.calls, ["setDataList keyboard/lightValue 14,100,50,1,2,3,1,1", "setEnabled false",
                                "keyboardSetRGBEffect 14 100 50 1 1 1 2 3 1",
                                "setDataList keyboard/led1 " + picture([9, 16]).join(","),
                                "keyboardSetPicture 1 " + picture([9, 10, 16]).join(","), "setEnabled true"])
    }

    // Each moved position, with only the key that feeds it lit: the position
    // takes the key's flag, and the key's own position takes whatever feeds
    // it, read from the key order (never a flag already moved).
    function test_deviceOrderMovesEachPosition_data() {
        return [
            { tag: "Z 16 -> 10", lit: 16, positions: [10, 16] },
            { tag: "Fn 71 -> 65, 71 from 77", lit: 71, positions: [65] },
            { tag: "65 -> 59, 65 from 71", lit: 65, positions: [59] },
            { tag: "Space 41 -> 35", lit: 41, positions: [35, 41] },
            { tag: "ISO 10 -> 88, 10 from 16", lit: 10, positions: [88] },
            { tag: "80 -> 75", lit: 80, positions: [75, 80] },
            { tag: "82 -> 76", lit: 82, positions: [76, 82] },
            { tag: "77 -> 71", lit: 77, positions: [71, 77] },
            { tag: "unmoved key", lit: 9, positions: [9] },
            // Position 88 has no key: its place goes to the ISO key's flag.
            { tag: "a place another key's flag takes", lit: 88, positions: [] },
        ]
    }
    function test_deviceOrderMovesEachPosition(data) {
        var pages = make({ "keyboard/lightValue": ["13"] })
        pages.lightPage.initialise(false, false)
        pages.lightPage.keyClicked(data.lit)
        pages.lightPage.save()
        compare(setPositions(ui_View.pictures["0"]), data.positions)
        compare(ui_View.pictures["0"].length, 126)
    }

    function test_keyClicksToggleTheShownPictureOnly() {
        var pages = make({ "keyboard/lightValue": stored, "keyboard/led0": picture([3]) })
        pages.lightPage.initialise(false, false)
        compare(pages.lightPage.shownPicture, 0)
        pages.lightPage.keyClicked(20)
        pages.lightPage.keyClicked(3)
        compare(ledsOf(pages, 0), [20])
        pages.lightPage.effect = 17
        compare(pages.lightPage.shownPicture, 4)
        pages.lightPage.keyClicked(20)
        compare(ledsOf(pages, 4), [20])
        compare(ledsOf(pages, 0), [20])
        // A built-in effect shows no picture and ignores key clicks.
        pages.lightPage.effect = 12
        compare(pages.lightPage.shownPicture, -1)
        pages.lightPage.keyClicked(30)
        for (var k = 0; k < 5; ++k)
            verify(ledsOf(pages, k).indexOf(30) < 0)
        compare(ui_View.calls.length, 8)                   // toggling stores and sends nothing
    }

    function test_closeMenusClosesTheEffectList() {
        var pages = make({})
        var list = child(pages, "effectList")
        mouseClick(list, 20, 10)
        verify(list.opened)
        pages.lightPage.closeMenus()
        verify(!list.opened)
        compare(list.model.length, 18)
        compare(list.model[0], "Normal")
        compare(list.model[13], "Usr Define1")
        compare(list.model[17], "Usr Define5")
    }
}
