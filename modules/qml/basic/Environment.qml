import QtQuick

// The window background, 1000 × 640, from its nine-patch source: the left 192
// and right 9 columns as they are, the one middle column stretched across by
// nearest pixel, which gives the same pixels as the whole painting while the
// decoded image holds a fifth of them.
BorderImage {
    source: "qrc:/modules/img/background.png"
    asynchronous: true
    smooth: false
    width: 1000
    height: 640
    border { left: 192; right: 9 }
}
