.pragma library

// The key matrix of the keyboard pages: the name of the key at every
// position, index = 6 × column + row (21 columns of 6 rows, row 0 the
// function-key row). "" is a position without a key; the four row-0
// positions of columns 17 to 20 have hot spots but no name.
var columns = [
    ["Esc", "`", "Tab", "Caps", "LShift", "LCtrl"],
    ["", "1", "Q", "A", "|\\", "LWin"],
    ["F1", "2", "W", "S", "Z", "LAlt"],
    ["F2", "3", "E", "D", "X", ""],
    ["F3", "4", "R", "F", "C", ""],
    ["F4", "5", "T", "G", "V", ""],
    ["F5", "6", "Y", "H", "B", "Space"],
    ["F6", "7", "U", "J", "N", ""],
    ["F7", "8", "I", "K", "M", ""],
    ["F8", "9", "O", "L", ",", ""],
    ["F9", "0", "P", ";", ".", "RAlt"],
    ["F10", "-", "[", "'", "/", "Fn"],
    ["F11", "=", "]", "", "", "App"],
    ["F12", "Back", "\\", "Enter", "RShift", "RCtrl"],
    ["Prt", "Ins", "Del", "", "", "◄"],
    ["Scr", "Hom", "End", "", "▲", "▼"],
    ["Pau", "Pgu", "PgD", "", "", "►"],
    ["", "Num", "KP7", "KP4", "KP1", "KP0"],
    ["", "KPDIV", "KP8", "KP5", "KP2", ""],
    ["", "KPMUL", "KP9", "KP6", "KP3", "KP."],
    ["", "KPSUB", "KPPLUS", "", "KPEnter", ""],
]

var keyCount = 126
var fnIndex = 71      // column 11, row 5
var isoKeyIndex = 10  // column 1, row 4: "|\"

function nameAt(index) {
    return columns[Math.floor(index / 6)][index % 6]
}
