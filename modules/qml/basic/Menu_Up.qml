import QtQuick
import "../J2"

// Title-bar buttons: help, minimise, close, 16 px apart.
Row {
    id: bar
    signal helpClick()
    x: 900
    y: 11
    spacing: 16
    Button { id: help; area: "index"; name: "helpBtn"; onBtnClick: bar.helpClick() }
    Button { area: "index"; name: "minBtn"; onBtnClick: ui_Ctl.onMinimize() }
    Button { area: "index"; name: "closeBtn"; onBtnClick: ui_Ctl.onClose() }
}
