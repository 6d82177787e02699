import QtQuick
import "keyMatrix.js" as Matrix

// The key model of the keyboard pages: one entry per matrix position
// (126, index = 6 × column + row) with its assignment (functionIndex,
// functionDataStr, and for a macro key the macro's name, functionMacro),
// its place in the five user lighting pictures (led0 …
// led4) and its own name (keyCodeStr, "" where the matrix has no key).
// It lives as long as the window; the pages reload it on every profile
// change.
ListModel {
    id: model

    Component.onCompleted: {
        for (var i = 0; i < Matrix.keyCount; ++i) {
            var name = Matrix.nameAt(i)
            append({ functionIndex: 2, functionDataStr: name, functionMacro: "", keyCodeStr: name,
                     led0: 0, led1: 0, led2: 0, led3: 0, led4: 0 })
        }
    }

    function ledOf(index, picture) { return get(index)["led" + picture] }
    function setLed(index, picture, lit) { setProperty(index, "led" + picture, lit ? 1 : 0) }
}
