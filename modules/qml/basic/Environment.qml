import QtQuick

// The window background, 1000 × 640.
Image {
    source: "qrc:/modules/img/background.png"
    asynchronous: true
    width: 1000
    height: 640
}
