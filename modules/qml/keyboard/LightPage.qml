import QtQuick

// The lighting page.
Item {
    id: lightPage
    property var pages
    property int shownPicture: -1
    width: 809
    height: 255

    function initialise(isSendData, isRecovery) {}
    function keyClicked(index) {}
    function closeMenus() {}
}
