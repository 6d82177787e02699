.pragma library

// The lighting page's values and user pictures, without any UI.
//
// Lighting values ("keyboard/lightValue"), in this order: effect, brightness,
// speed, red, green, blue, colour mode, direction. Brightness and speed are
// slider knob offsets (track 243 px, knob 25 px, so 0 to 218).

var valueCount = 8
var keyCount = 126
var effectCount = 18          // 0-12 built-in effects, 13-17 "Usr Define1"-"Usr Define5"
var firstPictureEffect = 13
var pictureCount = 5
var waveEffect = 2            // the only effect that runs "Left to Right"
var leftToRight = 0
var rightToLeft = 1
var sliderTrack = 243
var sliderKnob = 25
var maxOffset = sliderTrack - sliderKnob

// Index of each value in the stored list.
var EFFECT = 0, BRIGHTNESS = 1, SPEED = 2, RED = 3, GREEN = 4, BLUE = 5, COLOUR_MODE = 6, DIRECTION = 7

// The values of the shipped factory profile: "Wave" at full brightness,
// middle speed, white. A stored list that lacks a value, or holds one out of
// its range, gets the factory value in that place.
var defaults = [2, 218, 109, 255, 255, 255, 1, 0]
var maxima = [effectCount - 1, maxOffset, maxOffset, 255, 255, 255, 255, 1]

// Where the keyboard reads a picture differently from the UI's key order:
// [device position, key index whose flag goes there]. Each move reads the
// key-order flags, never a flag already moved.
var deviceMoves = [[10, 16], [65, 71], [59, 65], [35, 41], [88, 10], [75, 80], [76, 82], [71, 77]]

function wholeNumber(value) {
    if (value === undefined || value === null || String(value).trim() === "")
        return NaN
    var n = Number(value)
    return Number.isInteger(n) ? n : NaN
}

// The 8 values from a stored list (strings or numbers); `repaired` lists the
// positions that took the factory value.
function readValues(list) {
    var stored = list || []
    var values = [], repaired = []
    for (var i = 0; i < valueCount; ++i) {
        var n = i < stored.length ? wholeNumber(stored[i]) : NaN
        if (isNaN(n) || n < 0 || n > maxima[i]) {
            values.push(defaults[i])
            repaired.push(i)
        } else {
            values.push(n)
        }
    }
    return { values: values, repaired: repaired }
}

// The 126 flags (0/1, key order) of a stored picture; missing or unreadable
// entries are unlit, extra entries are ignored.
function readPicture(list) {
    var stored = list || []
    var flags = []
    for (var i = 0; i < keyCount; ++i) {
        var n = i < stored.length ? wholeNumber(stored[i]) : NaN
        flags.push(!isNaN(n) && n !== 0 ? 1 : 0)
    }
    return flags
}

// The user picture (0-4) an effect shows, or -1.
function pictureOf(effect) {
    return effect >= firstPictureEffect && effect < firstPictureEffect + pictureCount
         ? effect - firstPictureEffect : -1
}

// A picture's flags in the order the keyboard reads them.
function deviceOrder(flags) {
    var order = flags.slice(0, keyCount)
    for (var m = 0; m < deviceMoves.length; ++m)
        order[deviceMoves[m][0]] = flags[deviceMoves[m][1]]
    return order
}

function directionEnabled(direction, effect) {
    return direction === rightToLeft || effect === waveEffect
}

// ---- Preview on the keyboard picture ----
//
// An approximation of what an effect looks like, drawn as a tint over each
// key from its column (UI key index = 6 × column + row) and an animation
// phase in [0, 1). The keyboard's own patterns are not reproduced key for key.

var columnCount = 21
var rowCount = 6
var BREATHING = 1
var STATIC = 0, BREATHE = 1, WAVE = 2, MOVING = 3, PICTURE = 4

function previewKind(effect) {
    if (pictureOf(effect) >= 0)
        return PICTURE
    if (effect === 0)
        return STATIC
    if (effect === BREATHING)
        return BREATHE
    if (effect === waveEffect)
        return WAVE
    return MOVING
}

function isAnimated(effect) {
    var kind = previewKind(effect)
    return kind !== STATIC && kind !== PICTURE
}

// One cycle of the animation: 6 s at the slowest speed, 1 s at the fastest.
function cycleMs(speed) {
    return Math.round(6000 - 5000 * Math.max(0, Math.min(speed, maxOffset)) / maxOffset)
}
// Frames: 5 a second, whatever the speed. Each repaints the whole keyboard
// picture, which a window left open should hardly feel; the middle speed's
// wave moves about a key a frame, as the keyboard's own lights step from
// key to key.
var frameMs = 200

// Where the key stands along the animation's travel: moving effects travel
// in the chosen direction, so the pattern at column c and phase p is the
// pattern at column c - p·columns (left to right) or c + p·columns.
function travel(column, phase, direction) {
    var along = column / columnCount
    var t = direction === rightToLeft ? along + phase : along - phase
    return t - Math.floor(t)
}

// How strongly a key is lit, 0 to 1; -1 for a key unlit in a user picture.
function previewLevel(effect, column, phase, direction, lit) {
    switch (previewKind(effect)) {
    case PICTURE:
        return lit ? 1 : -1
    case STATIC:
        return 1
    case BREATHE:
        return 0.5 - 0.5 * Math.cos(2 * Math.PI * phase)
    case WAVE:
        return 0.6 + 0.4 * Math.cos(2 * Math.PI * travel(column, phase, direction))
    default:
        // A highlight runs across the picture with a fading tail behind it.
        var behind = (1 - travel(column, phase, direction)) % 1
        return Math.max(0.15, 1 - 4 * behind)
    }
}

// The hue (0 to 1) of a key in multicolour mode: a rainbow across the
// columns that moves with the wave, still for the other effects.
function previewHue(effect, column, phase, direction) {
    return previewKind(effect) === WAVE ? travel(column, phase, direction) : column / columnCount
}
