import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

// The window background as the window shows it from its small parts, against
// the whole painting the art tool draws for this test: the corners, the
// stretched side column, the mark, the side strip's edge, the stretched main
// column (a few of its columns) and the right corners.
TestCase {
    id: testCase
    name: "WindowBackground"
    when: windowShown
    visible: true
    width: 1000
    height: 640 + 640

    Environment { id: background }
    Image { id: painting; y: 640; source: "qrc:/tests/windowBackground.png" }

    function test_partsShowTheWholePainting() {
        tryVerify(function() { return background.status === Image.Ready && painting.status === Image.Ready })
        var pixels = 0
        for (var i = 0; i < background.children.length; ++i)
            pixels += background.children[i].sourceSize.width * background.children[i].sourceSize.height
        verify(pixels * 40 < 1000 * 640, "the parts hold " + pixels + " pixels")
        var shown = grabImage(background)
        var art = grabImage(painting)
        for (var x = 0; x < 1000; ++x) {
            if (x > 200 && x < 985 && x % 100 !== 0)
                continue
            for (var y = 0; y < 640; ++y) {
                if (!Qt.colorEqual(shown.pixel(x, y), art.pixel(x, y)))
                    fail("window pixel " + x + "," + y + " is " + shown.pixel(x, y) + ", the painting has " + art.pixel(x, y))
            }
        }
    }
}
