import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

// The window background as the window shows it: the art's nine-patch source
// (left 192 columns, one middle column, right 9) laid out over 1000 × 640
// with the middle column repeated exactly, the source itself being small.
TestCase {
    id: testCase
    name: "WindowBackground"
    when: windowShown
    visible: true
    width: 1000
    height: 640 + 640

    Environment { id: background }
    Image { id: source; y: 640; source: background.source }

    function test_nineSourceColumnsShowTheWholeWindow() {
        tryVerify(function() { return background.status === Image.Ready && source.status === Image.Ready })
        compare(source.sourceSize, Qt.size(202, 640))
        compare(Qt.size(background.width, background.height), Qt.size(1000, 640))
        var shown = grabImage(background)
        var art = grabImage(source)
        // Each window column and the source column it must show: the left
        // part, the stretched middle (a few of its columns) and the right part.
        var columns = []
        for (var x = 0; x < 1000; ++x) {
            if (x <= 200 || x >= 985 || x % 100 === 0)
                columns.push([x, x < 192 ? x : x < 991 ? 192 : x - 991 + 193])
        }
        for (var c = 0; c < columns.length; ++c) {
            for (var y = 0; y < 640; ++y) {
                if (!Qt.colorEqual(shown.pixel(columns[c][0], y), art.pixel(columns[c][1], y)))
                    fail("window pixel " + columns[c][0] + "," + y + " is " + shown.pixel(columns[c][0], y)
                         + ", the art has " + art.pixel(columns[c][1], y))
            }
        }
    }
}
