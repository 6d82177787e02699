.pragma library
// The UI's font. "微软雅黑" is asked for first; where it is not installed,
// the system's font matching picks its default face and fills Chinese
// glyphs from a CJK-capable one, without loading a CJK face for Latin text.
var fontFamily = "微软雅黑"
