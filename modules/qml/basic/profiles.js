.pragma library
.import "nameLists.js" as NameLists
// The profile panel's list rules: at most six profiles numbered 0 to 5, each
// stored as its name followed by its number as one digit.

var maxProfiles = 6;
// Name list from the bridge → [{name, number}].
function parse(list) {
    var entries = NameLists.namesOf(list);
    var items = [];
    for (var j = 0; j < entries.length; ++j) {
        var e = entries[j];
        items.push({ name: e.slice(0, e.length - 1), number: parseInt(e.charAt(e.length - 1), 10) });
    }
    return items;
}

function serialise(items) {
    var list = [];
    for (var i = 0; i < items.length; ++i)
        list.push(items[i].name + items[i].number);
    return list;
}

function hasName(items, name) {
    for (var i = 0; i < items.length; ++i)
        if (items[i].name === name) return true;
    return false;
}

function hasNumber(items, number) {
    for (var i = 0; i < items.length; ++i)
        if (items[i].number === number) return true;
    return false;
}

// "profile_" + the smallest n of 0 to 11 not taken.
function freeName(items) {
    for (var n = 0; n < 12; ++n)
        if (!hasName(items, "profile_" + n)) return "profile_" + n;
    return "profile_" + 11;
}

// The smallest number of 0 to 5 not taken, or -1 when all are.
function freeNumber(items) {
    for (var n = 0; n < maxProfiles; ++n)
        if (!hasNumber(items, n)) return n;
    return -1;
}

function positionOf(items, number) {
    for (var i = 0; i < items.length; ++i)
        if (items[i].number === number) return i;
    return -1;
}
