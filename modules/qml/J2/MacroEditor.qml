import QtQuick

// The macro editor.
Item {
    id: macroEditor
    property var pages
    property var macroNames: []
    signal macroListChanged()
    width: 809
    height: 510

    function initialise() {}
    function keyReported(isDown, usbCode) {}
    function sendMacro(m) {}
    function endEditing() {}
}
