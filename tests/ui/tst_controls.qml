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
