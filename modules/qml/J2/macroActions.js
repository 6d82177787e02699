.pragma library
.import "../basic/nameLists.js" as NameLists
// The macro editor's rules, kept apart from its controls: macro names, the
// action lines of a macro file, where inserted actions go, and recording.
//
// An action is {type, key, action, delay}: type 0/1 key down/up, 2/3 mouse
// button down/up as recorded (an inserted mouse click is written as 3 then
// 4), key a name of the key-name table, action 0 press / 1 release, delay in
// milliseconds after the action.

var maxMacros = 100;
var maxActions = 28;        // recording and the context menu add only below this
var defaultDelay = 10;
var maxDelay = 65535;
var tickMs = 10;            // the recording counter's period
var firstMouseUsage = 0xF0; // usages from here on are mouse buttons

// ---- Names ----

// The name list from the bridge, without its sentinel.
function namesFromList(list) {
    return NameLists.namesOf(list);
}

// prefix + the smallest n of 0 to 99 no macro is named after, or "" when the
// list is full or every such name is taken.
function freeName(names, prefix) {
    if (names.length >= maxMacros)
        return "";
    for (var n = 0; n < maxMacros; ++n) {
        if (names.indexOf(prefix + n) < 0)
            return prefix + n;
    }
    return "";
}

// Whether macro `index` may take `name`: not empty, not its current name,
// and used by no other macro.
function canRename(names, index, name) {
    if (index < 0 || index >= names.length || !NameLists.isUsableName(name) || name === names[index])
        return false;
    for (var i = 0; i < names.length; ++i) {
        if (i !== index && names[i] === name)
            return false;
    }
    return true;
}

// Where each macro of a list of `count` goes when one is put at `at` (an
// import), and when the one at `at` is removed (-1 for it).
function movesForInsert(count, at) {
    var moves = [];
    for (var i = 0; i < count; ++i)
        moves.push(i < at ? i : i + 1);
    return moves;
}
function movesForRemove(count, at) {
    var moves = [];
    for (var i = 0; i < count; ++i)
        moves.push(i < at ? i : i === at ? -1 : i - 1);
    return moves;
}

// ---- Action lines ----

function actionLine(a) {
    return a.type + "," + a.key + "," + a.action + "," + a.delay;
}

function actionLines(actions) {
    return actions.map(actionLine);
}

// Reads "type,key,action,delay": the key runs from the third character to
// the next comma, the action is the character after it and the delay starts
// two characters further on. The comma key is stored as "t,,,a,d". A line
// without the comma after its key is no action (null).
function parseLine(line) {
    line = String(line);
    if (line.length <= 2)
        return null;
    var comma = line.substr(2, 2) === ",," ? 3 : line.indexOf(",", 2);
    if (comma < 0)
        return null;
    var delay = parseInt(line.substring(comma + 3), 10);
    return {
        type: parseInt(line.charAt(0), 10) || 0,
        key: line.substring(2, comma),
        action: line.charAt(comma + 1) === "1" ? 1 : 0,
        delay: isNaN(delay) || delay < 0 ? 0 : Math.min(delay, maxDelay)
    };
}

// What loadMacroIni answers: the action lines, then repeat, record-delay flag
// and times. A missing macro answers an empty list and loads as an empty
// macro played once.
function parseLoaded(list) {
    var entries = [];
    for (var i = 0; i < list.length; ++i)
        entries.push(String(list[i]));
    if (entries.length < 3)
        return { lines: [], actions: [], repeat: 1, recordDelay: false, times: 1 };
    var lines = entries.slice(0, entries.length - 3);
    var actions = [];
    for (var j = 0; j < lines.length; ++j) {
        var a = parseLine(lines[j]);
        if (a === null)
            console.warn("macro editor: skipping unreadable action line", JSON.stringify(lines[j]));
        else
            actions.push(a);
    }
    var tail = entries.slice(entries.length - 3);
    return {
        lines: lines,
        actions: actions,
        repeat: parseInt(tail[0], 10) || 0,
        recordDelay: (parseInt(tail[1], 10) || 0) !== 0,
        times: parseInt(tail[2], 10) || 0
    };
}

// ---- Editing ----

// A delay typed by the user: an integer of 0 to 65535, else the old value.
function parseDelay(text, oldDelay) {
    text = String(text).trim();
    if (!/^\d+$/.test(text))
        return oldDelay;
    var value = parseInt(text, 10);
    return value <= maxDelay ? value : oldDelay;
}

// The repeat count of the "Times" field: an empty or zero entry is 0.
function parseTimes(text) {
    var value = parseInt(String(text), 10);
    return isNaN(value) || value < 0 ? 0 : Math.min(value, maxDelay);
}

// Press and release of one key or button, press first.
function pair(key, pressType, releaseType) {
    return [{ type: pressType, key: key, action: 0, delay: defaultDelay },
            { type: releaseType, key: key, action: 1, delay: defaultDelay }];
}

// Where an inserted pair goes: appended when the selected action is the last
// one (or none is selected), else in front of the selected action.
// Returns {actions, selected} with the press selected.
function insertPair(actions, selected, twoActions) {
    var list = actions.slice();
    var at = selected >= 0 && selected < list.length - 1 ? selected : list.length;
    list.splice.apply(list, [at, 0].concat(twoActions));
    return { actions: list, selected: at };
}

// Moves the selected action; `to` is "first", "last", "up" or "down".
// Returns {actions, selected}; nothing moves without a selection.
function move(actions, selected, to) {
    var list = actions.slice();
    if (selected < 0 || selected >= list.length)
        return { actions: list, selected: selected };
    var target = { first: 0, last: list.length - 1,
                   up: Math.max(0, selected - 1),
                   down: Math.min(list.length - 1, selected + 1) }[to];
    var moved = list.splice(selected, 1)[0];
    list.splice(target, 0, moved);
    return { actions: list, selected: target };
}

function remove(actions, selected) {
    var list = actions.slice();
    if (selected >= 0 && selected < list.length)
        list.splice(selected, 1);
    return { actions: list, selected: Math.min(selected, list.length - 1) };
}

// ---- Recording ----

// One captured key event while recording: the action it adds (type 0/1 for a
// key, 2/3 for a mouse button), and with "Record Delay" the previous action
// takes the time since it, ticks × 10 ms. Returns the new list, or the old
// one unchanged when it is full or the key has no name.
function recordStep(actions, isDown, usbCode, keyName, ticks, recordDelay) {
    if (actions.length >= maxActions)
        return actions;
    if (keyName === "") {
        console.warn("macro editor: no key name for usage", usbCode, "- not recorded");
        return actions;
    }
    var list = actions.slice();
    if (recordDelay && list.length > 0) {
        var last = list[list.length - 1];
        list[list.length - 1] = { type: last.type, key: last.key, action: last.action,
                                  delay: Math.min(ticks * tickMs, maxDelay) };
    }
    var mouse = usbCode >= firstMouseUsage;
    list.push({ type: (mouse ? 2 : 0) + (isDown ? 0 : 1), key: keyName,
                action: isDown ? 0 : 1, delay: defaultDelay });
    return list;
}
