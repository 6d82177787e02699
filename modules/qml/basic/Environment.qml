import QtQuick

// The window background, 1000 × 640, from small parts that the art tool draws
// only if they give the whole painting's pixels: the side part (the corners'
// 9 columns, one side column stretched, the side strip's edge at x 191), the
// main part (one column stretched, the right corners' 9 columns), stretched
// by nearest pixel, and over them the orange mark as painted. Decoded they
// hold 54 KiB instead of 2.5 MiB.
Item {
    width: 1000
    height: 640
    // The least advanced part's (Null < Ready < Loading < Error).
    readonly property int status: Math.max(sidePart.status, mainPart.status, mark.status)

    component Part: BorderImage {
        height: 640
        asynchronous: true
        smooth: false
    }
    Part {
        id: sidePart
        source: "qrc:/modules/img/backgroundSide.png"
        width: 192
        border { left: 9; right: 1 }
    }
    Part {
        id: mainPart
        source: "qrc:/modules/img/backgroundMain.png"
        x: 192
        width: 808
        border.right: 9
    }
    Image {
        id: mark
        source: "qrc:/modules/img/backgroundMark.png"
        x: 22
        y: 48
        asynchronous: true
        smooth: false
    }
}
