import QtQuick
import QtTest
import Gearconsole.Keyboard 1.0
import "qrc:/modules/qml/basic/keyGeometry.js" as Geometry

// The keyboard picture's marks: each marked key's border drawn pixel for
// pixel as a Rectangle with that border draws it, nothing for the others,
// and no frame for marks that draw what is already there.
TestCase {
    id: testCase
    name: "KeyMarks"
    when: windowShown
    visible: true
    width: 820
    height: 520

    Component {
        id: marksComponent
        KeyMarks { width: Geometry.width; height: Geometry.height }
    }
    // What the picture drew before: a Rectangle per marked place.
    Component {
        id: rectanglesComponent
        Item {
            property alias places: rectangles.model
            property color markColor
            y: Geometry.height + 10
            width: Geometry.width
            height: Geometry.height
            Repeater {
                id: rectangles
                Rectangle {
                    x: modelData[1]
                    y: modelData[2]
                    width: modelData[3]
                    height: modelData[4]
                    color: "transparent"
                    radius: 2
                    border.width: 2
                    border.color: markColor
                }
            }
        }
    }
    Component { id: spyOf; SignalSpy {} }

    function test_bordersAsTheRectanglesDrewThem_data() {
        var rows = Object.keys(Geometry.editions).map(function(name) {
            return { tag: "every key, " + name, edition: name, lit: "all", keys: [], color: "#ea5413" }
        })
        rows.push({ tag: "some lit, two named", edition: "tarnelUK", lit: [0, 16, 81, 124], keys: [9, -1, 16],
                    color: "#ea5413" })
        rows.push({ tag: "another colour", edition: "duskenUS", lit: [84, 90], keys: [71], color: "#20c0ff" })
        return rows
    }
    function test_bordersAsTheRectanglesDrewThem(data) {
        var places = Geometry.editions[data.edition]
        var lit = []
        for (var i = 0; i < 126; ++i)
            lit.push(data.lit === "all" || data.lit.indexOf(i) >= 0)
        var marks = createTemporaryObject(marksComponent, testCase, {
            places: places, marks: lit, markedKeys: data.keys, markColor: data.color })
        var marked = places.filter(function(place) { return lit[place[0]] || data.keys.indexOf(place[0]) >= 0 })
        var expected = createTemporaryObject(rectanglesComponent, testCase, { places: marked, markColor: data.color })
        verify(marks !== null && expected !== null)
        waitForRendering(marks)
        verify(grabImage(marks).equals(grabImage(expected)), "the borders differ from the Rectangles'")
        places.forEach(function(place) {
            compare(marks.isMarked(place[0]), marked.indexOf(place) >= 0, "key " + place[0])
        })
    }

    function test_marksDrawingWhatIsThereDrawNothing() {
        var places = Geometry.editions.tarnelUK
        var marks = createTemporaryObject(marksComponent, testCase, {
            places: places, marks: [true], markedKeys: [9] })
        waitForRendering(marks)
        var frames = createTemporaryObject(spyOf, testCase, { target: testCase.Window.window, signalName: "frameSwapped" })
        wait(50)
        frames.clear()
        marks.marks = [true]
        marks.markedKeys = [-1, 9, 9]
        marks.marks = [true, false, false, false, false, false, true]   // key 6 has no place
        wait(100)
        compare(frames.count, 0, "frames for the same borders")
        verify(!marks.isMarked(6))
        marks.markedKeys = [16]
        tryVerify(function() { return frames.count > 0 }, 1000, "no frame for a new border")
        verify(marks.isMarked(16) && !marks.isMarked(9))
    }
}
