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

// Questions before an action that cannot be undone, and the limits the
// window tells where they are met; section "prompts" of a language file
// replaces them entry by entry (an older file without it keeps these).
var prompts = [
    "Delete the profile \"%1\"?",
    "Delete the macro \"%1\"?",
    "Restore the factory settings of the profile \"%1\"? Its lighting and key settings are replaced.",
    "Six profiles exist: the imported file replaces the profile \"%1\".",
    "Six profiles at most: delete one to make room for a new one.",
    "A hundred macros at most: delete one to make room.",
    "A macro holds at most 28 actions.",
    "Click a key on the picture to choose what it does."
];
var PROMPT_DELETE_PROFILE = 0, PROMPT_DELETE_MACRO = 1, PROMPT_RECOVERY = 2, PROMPT_IMPORT_OVER = 3,
    PROMPT_SIX_PROFILES = 4, PROMPT_HUNDRED_MACROS = 5, PROMPT_ACTION_LIMIT = 6, PROMPT_CHOOSE_KEY = 7;

// A language's prompts over the built-in ones: entries the file lacks or
// leaves empty stay English.
function promptsOver(translated) {
    var list = prompts.slice();
    for (var i = 0; translated && i < translated.length && i < list.length; ++i) {
        if (String(translated[i]) !== "")
            list[i] = String(translated[i]);
    }
    return list;
}
// Prompt i of a list, with %1 replaced by arg.
function prompt(list, i, arg) {
    var text = list && list[i] !== undefined ? String(list[i]) : prompts[i];
    // A function, so that "$" in a user's name is taken as it stands.
    return arg === undefined ? text : text.replace("%1", function() { return String(arg); });
}
