import QtQml
import "keyMatrix.js" as Matrix

// The key model of the keyboard pages: one entry per matrix position
// (126, index = 6 × column + row) with its assignment (functionIndex,
// functionDataStr, and for a macro key the macro's name, functionMacro),
// its place in the five user lighting pictures (led0 …
// led4) and its own name (keyCodeStr, "" where the matrix has no key).
// It lives as long as the window; the pages reload it on every profile
// change.
//
// No view shows it, so it is plain entries with a list model's calls
// (count, get, set, setProperty, dataChanged) and setAll: a list model would keep an
// object of its own for every entry once read, about 0.2 MiB for the run.
QtObject {
    id: model
    property var entries: []
    readonly property int count: entries.length
    // After every change of an entry.
    signal dataChanged()

    Component.onCompleted: {
        var all = []
        for (var i = 0; i < Matrix.keyCount; ++i) {
            var name = Matrix.nameAt(i)
            all.push({ functionIndex: 2, functionDataStr: name, functionMacro: "", keyCodeStr: name,
                       led0: 0, led1: 0, led2: 0, led3: 0, led4: 0 })
        }
        entries = all
    }

    // The entry itself: what is read from it follows later changes.
    function get(index) { return entries[index] }
    function set(index, values) {
        if (!has(index, "set"))
            return
        for (var role in values)
            entries[index][role] = values[role]
        dataChanged()
    }
    function setProperty(index, role, value) {
        if (!has(index, "setProperty"))
            return
        entries[index][role] = value
        dataChanged()
    }
    // Every entry in one go, told with one dataChanged: valuesOf(index)
    // gives the roles to change of that entry, or nothing. A page loading
    // all its keys would otherwise tell each change on its own, and every
    // listener run that often leaves garbage for the whole run.
    function setAll(valuesOf) {
        for (var i = 0; i < entries.length; ++i) {
            var values = valuesOf(i)
            for (var role in values)
                entries[i][role] = values[role]
        }
        dataChanged()
    }
    function has(index, call) {
        if (index >= 0 && index < entries.length)
            return true
        console.warn("key model:", call + ": index", index, "out of range")
        return false
    }

    function ledOf(index, picture) { return get(index)["led" + picture] }
    function setLed(index, picture, lit) { setProperty(index, "led" + picture, lit ? 1 : 0) }
}
