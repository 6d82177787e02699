.pragma library
// The UI's font: "微软雅黑" where it is installed, else a CJK-capable family,
// so Chinese texts render wherever the program runs.
var fontFamily = Qt.fontFamilies().indexOf("微软雅黑") >= 0 ? "微软雅黑" : "Noto Sans CJK SC"
