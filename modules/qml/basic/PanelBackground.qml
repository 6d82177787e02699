import QtQuick

// A panel's background: a small nine-patch image from the art (flat middle,
// rounded corners, the orange mark in the left border) stretched to the
// panel, so a page holds a few kilobytes of pixels instead of a full copy.
BorderImage {
    property string area: "keyboard"
    property string name: ""
    source: name === "" ? "" : "qrc:/" + area + "/modules/img/skin1/" + area + "/" + name + ".png"
    border { left: 76; right: 8; top: 8; bottom: 8 }
}
