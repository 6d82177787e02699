import QtQuick
import "keyCodeTable.js" as Table

// The key-name table: usage codes and their display names, position by
// position. A language may replace the names (section "keyCode"). The
// conversions follow the program's own rule, so a name turns into the same
// code in a key assignment as in a macro: "," and ";" are fixed, an unknown
// name gives 0x33 and an unknown code ";".
QtObject {
    property var keyCode: Table.keyCode
    property var keyCodeStr: Table.keyCodeStr

    readonly property int usageComma: 0x36
    readonly property int usageSemicolon: 0x33

    function strTokeycode(name) {
        var text = String(name)
        if (text === ",")
            return usageComma
        if (text === ";")
            return usageSemicolon
        var i = keyCodeStr.indexOf(text)
        return i < 0 ? usageSemicolon : keyCode[i]
    }
    function keycodeTostr(code) {
        var usage = Number(code)
        if (usage === usageComma)
            return ","
        if (usage === usageSemicolon)
            return ";"
        var i = keyCode.indexOf(usage)
        return i < 0 ? ";" : keyCodeStr[i]
    }
    // Whether the table names the code at all (keycodeTostr falls back to ";").
    function hasName(code) {
        var usage = Number(code)
        return usage === usageComma || usage === usageSemicolon || keyCode.indexOf(usage) >= 0
    }
}
