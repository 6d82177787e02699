.pragma library
// The built-in English texts, addressed by index. A language file replaces a
// whole list at start-up (section "main", "keyboard", "mouse", "macroEditor").

var mainLang = [
    "Import", "Output", "New", "Delete", "Name:", "OK", "Link program", "Macro Name", "New", "Delete",
    "Key", "Action", "Delay(MS)", "Times", "Please input Keyboard Key", "Cancel", "Record Delay", "Light", "Key", "Macro",
    "DPI", "Update", "Recovery", "Keyboard", "Mouse", "Mousepad", "Headset", "Version: V1.0", "Support", ""
];

var keyboardLang = [
    "Light Mode", "SYNC", "Brightness", "Dark", "Bright", "Speed", "Slow", "Fast", "Color", "Direction",
    "Left to Right", "Right to Left", "Group Key", "Macro Key", "Base Function", "Advance Function", "Cancel", "OK", "Single Key", "Group Key",
    "Play Music", "Run Program", "Open File", "Open Dir", "Select", "", "", "", "", "",
    "Media", "Vol-", "Copy", "Repeat", "Search", "Play/Pause", "Vol+", "Paste", "Cancel", "Maximum",
    "Stop", "Mute", "Save", "Select ALL", "Minmum", "Preview", "New", "Print", "My Computer", "Desktop",
    "Next", "Cut", "Search", "Index", "Run", "Normal", "Breathing", "Wave", "Ripples", "Reaction",
    "Horserace", "Usr Define1", "Usr Define2", "Usr Define3", "Usr Define4", "Usr Define5", "Swirl", "Default", "Mouse", "Keyboard",
    "Multimedia", "System", "Macro", "Office", "Power", "Sleep", "Wake", "", "", "",
    "Normal", "Breathing", "Wave", "Getting Off", "Horserace 1", "Ripples 1", "Getting On", "Raindrop", "Horserace 2", "Diffusion 1",
    "Ripples 2", "Rate", "Diffusion 2", "Usr Define1", "Usr Define2", "Usr Define3", "Usr Define4", "Usr Define5", "", ""
];

var mouseLang = [
    "Left Key", "Middle Key", "Right Key", "Forward", "Back", "DPI+", "DPI-", "DPI LOOP", "Double Click", "Base Function",
    "Group Key", "Macro Key", "Media", "Cancel", "OK", "Single Key", "First", "Second", "Third", "Fouth",
    "Fifth", "Sixth", "Seventh", "Eighth", "Polling Rate", "Cursor Rate", "Static", "Breath", "Neon", "Finger",
    "Wave", "horse", "Fn", "Fire", ""
];

var macroEditorLang = [
    "Macro ", "Macro Name", "New", "Delete", "Action", "Stop Record", "Times", "OK", "Start Record", "Delay",
    "Delete", "Import", "Export", "Insert Delay", "Insert Key", "Insert Left Key", "Insert Middle Key", "Insert Right Key", "", "",
    "Insert Mouse", "Delete All", "First", "Up", "Last", "Down", "", "", "", ""
];

// Help-menu texts before the first initUI sets them from mainLang.
var helpMenuInitial = ["驱动更新", "恢复出厂设置"];

// The main area's text while no keyboard is connected: a title, what the
// program supports, and that the pages come by themselves. Not part of the
// language files' lists, so a user's older copy of those still fits.
var noKeyboard = {
    "English": [
        "No keyboard connected",
        "This program sets up VORTAN keyboards: tarnel and sovrin (UK and US editions) and dusken.",
        "Plug one in: its pages appear here by themselves, no restart needed."
    ],
    "ChineseSimplified": [
        "未连接键盘",
        "本程序用于设置 VORTAN 键盘：tarnel 和 sovrin（英式与美式）以及 dusken。",
        "插入键盘后，它的设置页面会自动出现在这里，无需重新启动。"
    ]
};
function noKeyboardTexts(language) {
    return noKeyboard[language] || noKeyboard["English"];
}

// The Light page's note that the tints on the keyboard picture only
// approximate the keyboard's own lighting. Outside the language files' lists.
var previewNote = {
    "English": "Preview above: an approximation of the effect",
    "ChineseSimplified": "上方为灯效的近似预览"
};
function previewCaption(language) {
    return previewNote[language] || previewNote["English"];
}
