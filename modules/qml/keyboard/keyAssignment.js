.pragma library
.import "deviceCodes.js" as DeviceCodes

// The rules of the key-setting page that need no screen: which category and
// panel show an assignment, which field shows key names, the text of an
// assignment, and what Save stores.

var kindDefault = 0, kindMouse = 1, kindKeys = 2, kindMultimedia = 3, kindSystem = 4,
    kindMacro = 5, kindOffice = 6, kindAdvanced = 7

// The category list: position p stands for kind p, or p + 1 when p > 0
// (the mouse kind is not offered).
var categoryKinds = [kindDefault, kindKeys, kindMultimedia, kindSystem, kindMacro, kindOffice]
var categoryTextIndices = [67, 69, 70, 71, 72, 73]   // keyboardLang

// List texts by data value: keyboardLang indices, mouseLang for the mouse.
var mouseTextIndices = [0, 2, 1, 3, 4]
var multimediaTextIndices = [30, 36, 31, 35, 40, 41, 45, 50, 48, 53]
var systemTextIndices = [74, 75, 76]
var fnText = "Fn"
var officeTextIndices = [32, 51, 37, 38, 33, 42, 43, 46, 47, 34, 39, 44, 49, 54]

// Advanced functions: option k is bit k of the stored mask.
var advancedTextIndices = [20, 21, 22, 23]
var advancedFilters = ["Music(*.mp3)", "Exe file(*.exe)", "Document(*.txt)", ""]
var selectTextIndex = 24
var saveTextIndex = 42
var singleKeyTextIndex = 18, groupKeyTextIndex = 19
var advancedPathKey = "keyboard/advaceFunction"
// Beside a macro key's pair: the name of the macro it plays.
var macroNameKey = "keyboardMacroKey/"
var fnSystemData = "3"

// Panels: the key-name fields serve both "Default" and "Keyboard".
var panelKeys = "keys", panelMouse = "mouse", panelMultimedia = "multimedia", panelSystem = "system",
    panelMacro = "macro", panelOffice = "office", panelAdvanced = "advanced"
var panelOfKind = [panelKeys, panelMouse, panelKeys, panelMultimedia, panelSystem, panelMacro,
                   panelOffice, panelAdvanced]

function textsAt(lang, indices) {
    return indices.map(function(i) { return lang[i] })
}
function systemTexts(lang) { return textsAt(lang, systemTextIndices).concat([fnText]) }

function kindOfCategory(position) { return categoryKinds[position] }
// Kinds outside the list (mouse, advanced) show the first entry.
function categoryOfKind(kind) {
    var position = categoryKinds.indexOf(kind)
    return position < 0 ? 0 : position
}
function panelForKind(kind) { return panelOfKind[kind] || panelKeys }
function panelForCategory(position) { return panelForKind(kindOfCategory(position)) }

// Key names joined by "+" belong to the group field, anything else to the
// single-key field.
function isGroup(data) { return String(data).indexOf("+") >= 0 }

// Option chosen by a stored mask (its lowest set bit), -1 for none.
function advancedOptionOf(mask) {
    var value = Number(mask)
    for (var k = 0; k < advancedTextIndices.length; ++k) {
        if (value & (1 << k))
            return k
    }
    return -1
}
// What the advanced panel shows of a chosen path: the part after the last
// "/" or "\".
function fileNameOf(path) {
    var text = String(path)
    return text.substring(Math.max(text.lastIndexOf("/"), text.lastIndexOf("\\")) + 1)
}

function listText(texts, data) {
    var position = DeviceCodes.positionIn(data, texts.length)
    return position < 0 ? String(data) : texts[position]
}

// The text of an assignment for the picture's tip. lists holds the page's
// current texts: mouse, multimedia, system, macro, office, advanced.
function assignmentText(kind, data, lists) {
    switch (kind) {
    case kindMouse: return listText(lists.mouse, data)
    case kindMultimedia: return listText(lists.multimedia, data)
    case kindSystem: return listText(lists.system, data)
    case kindMacro: return listText(lists.macro, data)
    case kindOffice: return listText(lists.office, data)
    case kindAdvanced: {
        var option = advancedOptionOf(data)
        return option < 0 ? "" : lists.advanced[option]
    }
    default: return String(data)
    }
}

// The default assignment of a key: its own name; the Fn key is the system
// function "Fn".
function defaultAssignment(index, ownName, fnIndex) {
    return index === fnIndex ? { kind: kindSystem, data: fnSystemData } : { kind: kindKeys, data: ownName }
}
function isDefault(index, kind, data, ownName, fnIndex) {
    var pair = defaultAssignment(index, ownName, fnIndex)
    return kind === pair.kind && String(data) === pair.data
}

// A stored [kind, data] pair; anything else (missing, short, a kind out of
// range) reads as null and the caller takes the default.
function parseStored(list) {
    if (!list || list.length !== 2)
        return null
    var kindText = String(list[0]).trim()
    if (!/^[0-7]$/.test(kindText))
        return null
    return { kind: Number(kindText), data: list[1] === null || list[1] === undefined ? "" : String(list[1]) }
}

// A stored macro key: the pair's position and, when stored, the macro's name.
// A name is looked up in the list as it is now (null when the list no longer
// holds it: the key takes its default); a pair stored without a name means
// the macro at its position. names: the macro list.
function resolveMacro(data, name, names) {
    if (name !== "") {
        var at = names.indexOf(name)
        return at < 0 ? null : { kind: kindMacro, data: String(at), macro: name }
    }
    var position = DeviceCodes.positionIn(data, names.length)
    return { kind: kindMacro, data: String(data), macro: position < 0 ? "" : String(names[position]) }
}

// What Save stores for the page's state, or null when there is nothing to
// store. state: panel, category, isFn, single, group, armed ("single",
// "group" or ""), mouse, multimedia, system, macro, office (list
// positions), macroCount, advancedOption (-1 for none), advancedPath.
function saveChoice(state) {
    switch (state.panel) {
    case panelMouse:
        return { kind: kindMouse, data: String(state.mouse) }
    case panelAdvanced:
        if (state.advancedOption < 0 || state.advancedPath === "")
            return null
        return { kind: kindAdvanced, data: String(1 << state.advancedOption), path: state.advancedPath }
    }
    switch (kindOfCategory(state.category)) {
    case kindDefault:
        return state.isFn ? { kind: kindSystem, data: fnSystemData } : { kind: kindKeys, data: state.single }
    case kindKeys: {
        var text = state.armed === "single" ? state.single : state.armed === "group" ? state.group : ""
        return text === "" ? null : { kind: kindKeys, data: text }
    }
    case kindMultimedia: return { kind: kindMultimedia, data: String(state.multimedia) }
    case kindSystem: return { kind: kindSystem, data: String(state.system) }
    case kindMacro:
        return state.macro < state.macroCount ? { kind: kindMacro, data: String(state.macro) } : null
    case kindOffice: return { kind: kindOffice, data: String(state.office) }
    }
    return null
}

// The group field adds the first three key-downs, joined by "+".
var groupLimit = 3
function addToGroup(text, name) {
    if (name === "")
        return text
    if (text === "")
        return name
    return text.split("+").length < groupLimit ? text + "+" + name : text
}
