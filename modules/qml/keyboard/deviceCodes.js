.pragma library

// The 4-byte device code of a key assignment (b0, b1, b2, b3) and the key
// matrix of 504 values (key i at 4i … 4i + 3) that the keyboard takes.
// Key names become usages through a converter the caller passes in (the
// key-name table's strTokeycode), so a translated table still works.

var valuesPerKey = 4
var keyCount = 126

// Kind 1: mouse buttons left, right, middle, forward, back.
var mouseBits = [0x01, 0x02, 0x04, 0x08, 0x10]
var mouseCodeKind = 0x0B

// Kind 3: consumer-page usages, by list position.
var consumerUsages = [0x0183, 0x00E9, 0x00EA, 0x00CD, 0x00B7, 0x00E2, 0x00B6, 0x00B5, 0x0194, 0x0223]
var consumerCodeKind = 0x03

// Kind 4: power, sleep, wake, and Fn, as whole codes.
var systemCodes = [
    [0x01, 0, 0, 0x02],
    [0x02, 0, 0, 0x02],
    [0x04, 0, 0, 0x02],
    [0, 0xFF, 0x05, 0x07],
]
var fnSystemPosition = 3

// Kind 5: the macro's list position in b0.
var macroCodeKind = 0x04
var macroPositions = 256

// Kind 6: [b0, modifier usage, key usage] by list position.
var lCtrl = 0xE0, lAlt = 0xE2, lWin = 0xE3, space = 0x2C
var officeCodes = [
    [0, lCtrl, 0x06], [0, lCtrl, 0x1B], [0, lCtrl, 0x19], [0, lCtrl, 0x1D], [0, lCtrl, 0x1C],
    [0, lCtrl, 0x16], [0, lCtrl, 0x04], [0, lCtrl, 0x11], [0, lCtrl, 0x13], [0, lCtrl, 0x09],
    [0x1B, lAlt, space], [0x11, lAlt, space],
    [0, lWin, 0x07], [0, lWin, 0x15],
]

// The ISO key's name shares its usage with another name in the table, and
// the table's lookup would find the wrong one; the key always sends 0x64.
var isoKeyName = "|\\"
var isoKeyUsage = 0x64

function usageOf(name, toUsage) {
    if (name === "")
        return 0
    if (name === isoKeyName)
        return isoKeyUsage
    return Number(toUsage(name)) & 0xFF
}

// Up to three names joined by "+": b0 to b2 take their usages; a fourth
// name lands on b2 again.
function keyNamesCode(data, toUsage) {
    var code = [0, 0, 0, 0]
    if (data === "")
        return code
    var names = data.split("+")
    for (var i = 0; i < names.length; ++i)
        code[Math.min(i, 2)] = usageOf(names[i], toUsage)
    return code
}

// A list position from stored text: a whole number in [0, count), else -1.
function positionIn(data, count) {
    var text = String(data)
    if (!/^[0-9]+$/.test(text))
        return -1
    var value = Number(text)
    return value < count ? value : -1
}

var codeOfKind = {
    0: keyNamesCode,
    2: keyNamesCode,
    1: function(data) {
        var d = positionIn(data, mouseBits.length)
        return d < 0 ? null : [0, mouseBits[d], 0, mouseCodeKind]
    },
    3: function(data) {
        var d = positionIn(data, consumerUsages.length)
        return d < 0 ? null : [consumerUsages[d] >> 8, consumerUsages[d] & 0xFF, 0, consumerCodeKind]
    },
    4: function(data) {
        var d = positionIn(data, systemCodes.length)
        return d < 0 ? null : systemCodes[d].slice()
    },
    5: function(data) {
        var d = positionIn(data, macroPositions)
        return d < 0 ? null : [d, 0, 0, macroCodeKind]
    },
    6: function(data) {
        var d = positionIn(data, officeCodes.length)
        return d < 0 ? null : officeCodes[d].concat([0])
    },
}

// The code of one assignment. Kind 7 (handled on the computer) and unknown
// kinds send zeros; data a kind cannot use send zeros too, with a warning.
function keyCode(kind, data, toUsage) {
    var build = codeOfKind[Number(kind)]
    if (build === undefined)
        return [0, 0, 0, 0]
    var code = build(String(data === undefined || data === null ? "" : data), toUsage)
    if (code === null) {
        console.warn("key assignment of kind", kind, "has unusable data", JSON.stringify(data), "- sent as zeros")
        return [0, 0, 0, 0]
    }
    return code
}

// The whole matrix from the key model (any object with count and
// get(i) → { functionIndex, functionDataStr }).
function matrixValues(model, toUsage) {
    var values = []
    for (var i = 0; i < keyCount; ++i) {
        var key = model.get(i)
        values = values.concat(keyCode(key.functionIndex, key.functionDataStr, toUsage))
    }
    return values
}
