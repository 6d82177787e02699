import QtQuick
import QtTest
import "qrc:/modules/qml/J2"

TestCase {
    id: testCase
    name: "Controls"
    when: windowShown
    visible: true
    width: 400
    height: 300

    Component { id: dropDown; DropDownList { x: 10; y: 10; model: ["Normal", "Wave", "Swirl"] } }
    Component { id: slider; SliderButton { x: 10; y: 200; width: 200; knobWidth: 14 } }
    Component { id: input; RectInput { x: 250; y: 10; minimum: 0; maximum: 255 } }
    Component { id: other; Rectangle { x: 250; y: 100; width: 20; height: 20 } }
    Component { id: spyOf; SignalSpy {} }
    Component { id: button; Button { x: 300; y: 250; width: 30; height: 30; hoverText: "Import" } }

    function test_dropDownReportsAfterTheSlide() {
        var list = createTemporaryObject(dropDown, testCase)
        var spy = createTemporaryObject(spyOf, testCase, { target: list, signalName: "valueChange" })
        compare(list.slideTime, 180 - 8 * 3)
        mouseClick(list, 20, 10)
        verify(list.opened)
        wait(list.slideTime + 60)
        mouseClick(list, 20, list.height + 2 * 20 + 10)   // third row
        verify(!list.opened)
        compare(list.currentIndex, 2)
        compare(spy.count, 0)          // not before the list has closed
        spy.wait(1000)
        compare(spy.count, 1)
        compare(spy.signalArguments[0][0], 2)

        mouseClick(list, 20, 10)
        verify(list.opened)
        list.closeMenu()
        verify(!list.opened)
        wait(list.slideTime + 60)
        compare(spy.count, 1)          // closing without a choice reports nothing
    }

    // Rows exist only while the list is open or sliding, and keep the
    // names the pages find them by.
    function test_dropDownBuildsRowsOnlyWhileOpen() {
        var list = createTemporaryObject(dropDown, testCase, { objectName: "effects" })
        compare(findChild(list, "effectsItem0"), null)
        mouseClick(list, 20, 10)
        tryVerify(function() { return findChild(list, "effectsItem2") !== null })
        wait(list.slideTime + 60)
        var row = findChild(list, "effectsItem1")
        compare(row.height, list.rowHeight)
        compare(row.mapToItem(list, 0, 0).y, list.height + list.rowHeight)
        list.closeMenu()
        verify(findChild(list, "effectsItem1") !== null)      // still sliding closed
        tryVerify(function() { return findChild(list, "effectsItem0") === null }, 1000)

        // A long list scrolls; its marker follows the rows shown.
        list.model = ["a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"]
        mouseClick(list, 20, 10)
        wait(list.slideTime + 60)
        var marker = findChild(list, "effectsMarker")
        verify(marker.visible)
        compare(marker.y, 0)
        var view = findChild(list, "effectsItem0").parent.parent
        view.positionViewAtEnd()
        tryVerify(function() { return marker.y > 0 })
        compare(Math.round(marker.y + marker.height), 7 * list.rowHeight)
    }

    // A button's hover text shows above it while the pointer is on it, and a
    // label only where it has one.
    function test_buttonTipFollowsThePointer() {
        var b = createTemporaryObject(button, testCase)
        compare(findChild(b, "hoverTip"), null)
        mouseMove(b, 15, 15)
        tryVerify(function() { return findChild(b, "hoverTip") !== null })
        var tip = findChild(b, "hoverTip")
        verify(tip.visible && tip.width > 12)
        compare(Math.round(tip.mapToItem(b, 0, 0).y + tip.height), -4)
        mouseMove(testCase, 5, 5)
        tryVerify(function() { return findChild(b, "hoverTip") === null })
        var label = b.children[1]   // the label's loader
        verify(!label.item)
        b.text = "Save"
        compare(label.item.text, "Save")
    }

    function test_sliderClampsAndReportsOffsets_data() {
        return [
            { tag: "middle", x: 100, value: 93 },
            { tag: "left end", x: 2, value: 0 },
            { tag: "right end", x: 199, value: 186 },
        ]
    }
    function test_sliderClampsAndReportsOffsets(data) {
        var s = createTemporaryObject(slider, testCase)
        var spy = createTemporaryObject(spyOf, testCase, { target: s, signalName: "valueChange" })
        compare(s.maximum, 186)
        s.setValue(50)
        mouseClick(s, data.x, 7)
        spy.wait(1000)
        compare(spy.signalArguments[0][0], data.value)
        compare(s.value, data.value)
    }

    function test_sliderClampsProgrammaticValues() {
        var s = createTemporaryObject(slider, testCase)
        s.setValue(500)
        compare(s.value, 186)
        s.setValue(-5)
        compare(s.value, 0)
    }

    function test_rectInputEndsWithZeroForEmptyOrBelowOne_data() {
        return [
            { tag: "empty", typed: "", result: "0" },
            { tag: "zero", typed: "0", result: "0" },
            { tag: "number", typed: "25", result: "25" },
        ]
    }
    function test_rectInputEndsWithZeroForEmptyOrBelowOne(data) {
        var field = createTemporaryObject(input, testCase)
        var elsewhere = createTemporaryObject(other, testCase)
        var spy = createTemporaryObject(spyOf, testCase, { target: field, signalName: "endInputSignal" })
        field.text = data.typed
        field.inputFocus = true
        field.children[0].forceActiveFocus()
        verify(field.children[0].activeFocus)
        elsewhere.forceActiveFocus()
        compare(spy.count, 1)
        compare(field.text, data.result)
    }

    function test_rectInputTakesAtMostFourCharacters() {
        var field = createTemporaryObject(input, testCase)
        field.children[0].forceActiveFocus()
        keyClick(Qt.Key_1); keyClick(Qt.Key_2); keyClick(Qt.Key_3); keyClick(Qt.Key_4); keyClick(Qt.Key_5)
        verify(field.text.length <= 4)
    }
}
