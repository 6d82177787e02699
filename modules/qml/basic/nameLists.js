.pragma library
// Name lists as the bridge returns them (profiles, macros): a list of one
// name comes back with the sentinel appended, which is not a name.

var sentinel = "loadertravex";

// The names as strings, without that sentinel.
function namesOf(list) {
    var names = [];
    for (var i = 0; i < list.length; ++i)
        names.push(String(list[i]));
    if (names.length === 2 && names[1] === sentinel)
        names.pop();
    return names;
}

// A name a list can hold: not empty, and not the sentinel, which a restart
// would read as the end of a one-name list and drop with its entry.
function isUsableName(name) {
    return name !== "" && name !== sentinel;
}
