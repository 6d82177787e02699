import QtQuick

// The key-setting page.
Item {
    id: keyPage
    property var pages
    width: 809
    height: 255

    function initialise(isSendData, isRecovery) {}
    function keyClicked(index) {}
    function keyReported(isDown, usbCode) {}
    function refreshMacroList(names) {}
    function isDefault(index) { return true }
    function assignmentText(index) { return "" }
    function closeMenus() {}
}
