import QtQuick

// The picture of the current keyboard edition with one hot spot per key.
Item {
    id: keyboard
    property var pages
    signal keyClicked(int index)
    width: picture.implicitWidth
    height: picture.implicitHeight

    Image {
        id: picture
        asynchronous: true
        source: "qrc:/index/modules/img/skin1/index/" + pages.shell.keyboardPictures[pages.shell.keyboardType] + ".png"
    }
}
