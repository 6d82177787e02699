import QtQuick
import "../basic/keyGeometry.js" as Geometry

// Where the keys lie on the picture of one keyboard edition: the places
// ([key index, x, y, width, height] in picture pixels) the picture was drawn
// from, looked up by key index or by a point, and where a tip beside a key
// fits.
QtObject {
    property string edition
    readonly property var places: Geometry.editions[edition] || []
    readonly property int pictureWidth: Geometry.width
    readonly property int pictureHeight: Geometry.height
    readonly property var placeByKey: {
        var byKey = {}
        for (var i = 0; i < places.length; ++i)
            byKey[places[i][0]] = places[i]
        return byKey
    }

    function placeOf(index) { return placeByKey[index] || null }

    // The key whose place holds the point, or -1.
    function keyAt(x, y) {
        for (var i = 0; i < places.length; ++i) {
            var place = places[i]
            if (x >= place[1] && x < place[1] + place[3] && y >= place[2] && y < place[2] + place[4])
                return place[0]
        }
        return -1
    }

    // A tip of the given size centred under the key, above it when the
    // picture ends below; always inside the picture.
    function tipPosition(index, width, height) {
        var place = placeOf(index)
        if (!place)
            return Qt.point(0, 0)
        // Whole pixels, rounded away from the key.
        var x = Math.round(place[1] + (place[3] - width) / 2)
        var y = Math.ceil(place[2] + place[4])
        if (y + height > pictureHeight)
            y = Math.floor(place[2] - height)
        return Qt.point(Math.max(0, Math.min(pictureWidth - width, x)),
                        Math.max(0, Math.min(pictureHeight - height, y)))
    }
}
