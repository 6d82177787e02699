import QtQuick
import QtTest
import "qrc:/modules/qml/keyboard/deviceCodes.js" as DeviceCodes

// The 4-byte device code of every kind of key assignment and the 504-value
// key matrix, with the key-name table the UI uses.
TestCase {
    id: testCase
    name: "DeviceCodes"

    property var keyNames: null
    function toUsage(name) { return keyNames.strTokeycode(name) }
    function code(kind, data) { return DeviceCodes.keyCode(kind, data, toUsage) }

    function initTestCase() {
        var component = Qt.createComponent("qrc:/modules/qml/basic/KeyCodeString.qml")
        compare(component.status, Component.Ready, component.errorString())
        keyNames = component.createObject(testCase)
    }

    function test_keyNames_data() {
        return [
            { tag: "group of three", kind: 2, data: "LCtrl+LAlt+Del", code: [0xE0, 0xE2, 0x4C, 0] },
            { tag: "single key", kind: 2, data: "A", code: [0x04, 0, 0, 0] },
            { tag: "two keys", kind: 2, data: "LShift+F12", code: [0xE1, 0x45, 0, 0] },
            { tag: "a fourth name overwrites the third", kind: 2, data: "A+B+C+D", code: [0x04, 0x05, 0x07, 0] },
            { tag: "empty default", kind: 0, data: "", code: [0, 0, 0, 0] },
            { tag: "empty keyboard", kind: 2, data: "", code: [0, 0, 0, 0] },
            { tag: "default kind with a name", kind: 0, data: "Esc", code: [0x29, 0, 0, 0] },
            { tag: "name unknown to the table", kind: 2, data: "Fn", code: [0x33, 0, 0, 0] },
            { tag: "ISO key", kind: 2, data: "|\\", code: [0x64, 0, 0, 0] },
            { tag: "keypad and arrows", kind: 2, data: "KP7+▲", code: [0x5F, 0x52, 0, 0] },
        ]
    }
    function test_keyNames(data) {
        compare(code(data.kind, data.data), data.code)
    }

    // The ISO key sends 0x64 whatever the table says (a language may rename it).
    function test_isoKeyIgnoresTheConverter() {
        var none = function(name) { return 0 }
        compare(DeviceCodes.keyCode(2, "|\\", none), [0x64, 0, 0, 0])
        compare(DeviceCodes.keyCode(2, "A+|\\", function(name) { return name === "A" ? 4 : 0x31 }),
                [0x04, 0x64, 0, 0])
    }

    function test_mouseButtons() {
        var bits = [0x01, 0x02, 0x04, 0x08, 0x10]
        for (var d = 0; d < bits.length; ++d)
            compare(code(1, String(d)), [0, bits[d], 0, 0x0B], "mouse " + d)
    }

    function test_consumerUsages() {
        var usages = [[0x01, 0x83], [0x00, 0xE9], [0x00, 0xEA], [0x00, 0xCD], [0x00, 0xB7],
                      [0x00, 0xE2], [0x00, 0xB6], [0x00, 0xB5], [0x01, 0x94], [0x02, 0x23]]
        for (var d = 0; d < usages.length; ++d)
            compare(code(3, String(d)), [usages[d][0], usages[d][1], 0, 0x03], "multimedia " + d)
    }

    function test_systemCodes() {
        compare(code(4, "0"), [0x01, 0, 0, 0x02])
        compare(code(4, "1"), [0x02, 0, 0, 0x02])
        compare(code(4, "2"), [0x04, 0, 0, 0x02])
        compare(code(4, "3"), [0, 0xFF, 0x05, 0x07])   // Fn
    }

    function test_macroPosition() {
        compare(code(5, "0"), [0, 0, 0, 0x04])
        compare(code(5, "7"), [7, 0, 0, 0x04])
        compare(code(5, "99"), [99, 0, 0, 0x04])
    }

    function test_officePairs() {
        var ctrl = 0xE0, alt = 0xE2, win = 0xE3
        var expected = [
            [0, ctrl, 0x06], [0, ctrl, 0x1B], [0, ctrl, 0x19], [0, ctrl, 0x1D], [0, ctrl, 0x1C],
            [0, ctrl, 0x16], [0, ctrl, 0x04], [0, ctrl, 0x11], [0, ctrl, 0x13], [0, ctrl, 0x09],
            [0x1B, alt, 0x2C], [0x11, alt, 0x2C], [0, win, 0x07], [0, win, 0x15],
        ]
        for (var d = 0; d < expected.length; ++d)
            compare(code(6, String(d)), expected[d].concat([0]), "office " + d)
    }

    function test_zeros_data() {
        return [
            { tag: "advanced", kind: 7, data: "1" },
            { tag: "unknown kind", kind: 9, data: "1" },
            { tag: "mouse out of range", kind: 1, data: "5" },
            { tag: "multimedia out of range", kind: 3, data: "10" },
            { tag: "system out of range", kind: 4, data: "4" },
            { tag: "office out of range", kind: 6, data: "14" },
            { tag: "not a number", kind: 3, data: "x" },
            { tag: "negative", kind: 6, data: "-1" },
            { tag: "fraction", kind: 1, data: "1.5" },
            { tag: "macro above a byte", kind: 5, data: "256" },
        ]
    }
    function test_zeros(data) {
        compare(code(data.kind, data.data), [0, 0, 0, 0])
    }

    // The matrix: 4 values per key, key i at 4i … 4i + 3, in key order.
    function test_matrixFromTheKeyModel() {
        var keys = []
        for (var i = 0; i < 126; ++i)
            keys.push({ functionIndex: 2, functionDataStr: "" })
        keys[0] = { functionIndex: 2, functionDataStr: "Esc" }
        keys[9] = { functionIndex: 3, functionDataStr: "4" }
        keys[71] = { functionIndex: 4, functionDataStr: "3" }
        keys[125] = { functionIndex: 5, functionDataStr: "2" }
        var model = { get: function(i) { return keys[i] } }
        var values = DeviceCodes.matrixValues(model, toUsage)
        compare(values.length, 504)
        compare(values.slice(0, 4), [0x29, 0, 0, 0])
        compare(values.slice(36, 40), [0x00, 0xB7, 0, 0x03])
        compare(values.slice(284, 288), [0, 0xFF, 0x05, 0x07])
        compare(values.slice(500, 504), [2, 0, 0, 0x04])
        var others = 0
        for (var v = 0; v < values.length; ++v) {
            if ([0, 1, 2, 3, 36, 37, 38, 39, 284, 285, 286, 287, 500, 501, 502, 503].indexOf(v) < 0)
                others += values[v]
        }
        compare(others, 0)
    }
}
