import QtQuick
import QtTest
import "qrc:/modules/qml/basic/keyGeometry.js" as Geometry

// The key geometry the pictures are drawn from, as the UI reads it.
TestCase {
    id: testCase
    name: "KeyGeometry"
    when: windowShown
    visible: true

    Component { id: picture; Image {} }

    function indices(edition) { return Geometry.editions[edition].map(function(k) { return k[0] }) }
    function overlaps(a, b) {
        return a[1] < b[1] + b[3] && b[1] < a[1] + a[3] && a[2] < b[2] + b[4] && b[2] < a[2] + a[4]
    }

    function test_editions_data() {
        return [
            { tag: "tarnelUK", uk: true }, { tag: "sovrinUK", uk: true },
            { tag: "tarnelUS", uk: false }, { tag: "sovrinUS", uk: false }, { tag: "duskenUS", uk: false },
        ]
    }
    function test_editions(data) {
        var keys = Geometry.editions[data.tag]
        var seen = {}
        for (var i = 0; i < keys.length; ++i) {
            var k = keys[i]
            verify(k[0] >= 0 && k[0] < 126, "key index " + k[0])
            verify(!seen[k[0]], "key " + k[0] + " twice")
            seen[k[0]] = true
            verify(k[1] >= 0 && k[2] >= 0 && k[1] + k[3] <= Geometry.width && k[2] + k[4] <= Geometry.height)
            for (var j = 0; j < i; ++j)
                verify(!overlaps(k, keys[j]), "keys " + k[0] + " and " + keys[j][0] + " overlap")
        }
        // The ISO key (column 1, row 4) exists only on UK editions.
        compare(seen[6 * 1 + 4] === true, data.uk)
        // Enter (column 13, row 3) is tall on UK editions.
        var enter = keys.filter(function(k) { return k[0] === 6 * 13 + 3 })[0]
        compare(enter[4] > enter[3], data.uk)

        var image = createTemporaryObject(picture, testCase,
                        { source: "qrc:/index/modules/img/skin1/index/" + data.tag + ".png" })
        compare(image.status, Image.Ready)
        compare(image.sourceSize.width, Geometry.width)
        verify(image.sourceSize.height >= Geometry.height)
    }

    function test_duskenSitsOnePixelLower() {
        var dusken = Geometry.editions["duskenUS"], tarnel = Geometry.editions["tarnelUS"]
        compare(dusken.length, tarnel.length)
        for (var i = 0; i < dusken.length; ++i) {
            compare(dusken[i][0], tarnel[i][0])
            compare(dusken[i][1], tarnel[i][1])
            compare(dusken[i][2], tarnel[i][2] + 1)
        }
    }
}
