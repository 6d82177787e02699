import QtQuick
import "keyCodeTable.js" as Table

// The key-name table: usage codes and their display names, position by
// position. A language may replace the names (section "keyCode").
QtObject {
    property var keyCode: Table.keyCode
    property var keyCodeStr: Table.keyCodeStr

    function strTokeycode(name) {
        var i = keyCodeStr.indexOf(String(name))
        return i < 0 ? 0 : keyCode[i]
    }
    function keycodeTostr(code) {
        var i = keyCode.indexOf(Number(code))
        return i < 0 ? "" : keyCodeStr[i]
    }
}
