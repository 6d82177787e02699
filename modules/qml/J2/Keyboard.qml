import QtQuick
import Gearconsole.Keyboard 1.0

// The picture of the current keyboard edition with one hot spot per key.
//
// The hot spots are the edition's key places, not items: one mouse area over
// the whole picture finds the key under the pointer, one item draws the
// marks (which borders show), and the marks are worked out once per change
// of the key model or the page rather than by a binding per key, so the
// picture stays cheap to build and to redraw.
Item {
    id: keyboard
    property var pages
    readonly property var shell: pages ? pages.shell : null
    readonly property int page: pages ? pages.page : -1
    readonly property string edition: shell ? shell.keyboardPictures[shell.keyboardType] : ""
    readonly property color markColor: shell ? shell.colorOrange : "#ea5413"
    // The Key page marks the key under the pointer and the selected key.
    readonly property bool pointerMarks: page === 1
    readonly property int selectedKey: pages ? pages.selectKey : -1
    readonly property int shownPicture: pages ? pages.shownPicture() : -1
    // The lighting preview (Light page), or null.
    readonly property var preview: pages && pages.lightPreview ? pages.lightPreview : null
    readonly property int hoveredKey: pointer.containsMouse ? keyAt(pointer.mouseX, pointer.mouseY) : -1
    // Marks from the key model, by key index: on the Light page the keys
    // lit in the picture shown, on the Key page the keys not at their default.
    property var modelMarks: []
    // Bumped on every change of the key model.
    property int modelRevision: 0
    readonly property int hotSpotCount: spacing.places.length
    signal keyClicked(int index)

    width: spacing.pictureWidth
    height: spacing.pictureHeight

    KeySpacing {
        id: spacing
        edition: keyboard.edition
    }

    // Kept as its palette: a quarter of the memory of an Image.
    PalettePicture {
        id: picture
        objectName: "keyboardPicture"
        source: keyboard.edition === "" ? "" : "qrc:/index/modules/img/skin1/index/" + keyboard.edition + ".png"
    }

    // The Light page's preview: the tints of all keys (the tall Enter's ear
    // too) drawn by one item under the marks.
    KeyTints {
        objectName: "keyTints"
        width: keyboard.width
        height: keyboard.height
        visible: keyboard.preview !== null && keyboard.preview.shown
        places: spacing.places
        tints: visible ? keyboard.preview.tintList(keyboard.modelMarks, keyboard.preview.phase) : []
    }

    // The borders of the marked keys, over the tints.
    KeyMarks {
        id: keyMarks
        objectName: "keyMarks"
        width: keyboard.width
        height: keyboard.height
        places: spacing.places
        marks: keyboard.modelMarks
        markedKeys: keyboard.pointerMarks ? [keyboard.hoveredKey, keyboard.selectedKey] : []
        markColor: keyboard.markColor
    }

    // Key page: a key whose assignment is not its default carries a dot in
    // its top right corner, which stays while the border follows the
    // pointer. Only those keys get one: a hidden dot in each of the 110 keys
    // would hold about 0.3 MiB for the whole run.
    Repeater {
        id: changedDots
        model: keyboard.pointerMarks ? spacing.places.filter(function(place) {
            return keyboard.modelMarks[place[0]] === true
        }) : []
        Rectangle {
            objectName: "changedDot"
            readonly property int keyIndex: modelData[0]
            x: modelData[1] + modelData[3] - 4 - width
            y: modelData[2] + 4
            width: 6
            height: 6
            radius: 3
            color: keyboard.markColor
        }
    }

    MouseArea {
        id: pointer
        anchors.fill: parent
        hoverEnabled: keyboard.pointerMarks
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: function(mouse) {
            var index = keyboard.keyAt(mouse.x, mouse.y)
            if (index >= 0 && (keyboard.page === 0 || keyboard.page === 1))
                keyboard.keyClicked(index)
        }
    }

    // Key page: what a key that is not at its default does.
    Rectangle {
        id: tip
        objectName: "keyTip"
        readonly property int keyIndex: keyboard.hoveredKey
        readonly property point at: spacing.tipPosition(keyIndex, width, height)
        // On the Key page the model marks are the keys not at their default.
        visible: keyboard.pointerMarks && keyIndex >= 0 && keyboard.modelMarks[keyIndex] === true
        x: at.x
        y: at.y
        z: 1
        // At least 120 px, as wide as its text needs within the picture.
        width: Math.min(keyboard.width - 8, Math.max(120, tipText.implicitWidth + 12))
        height: 24
        radius: 2
        color: keyboard.shell ? keyboard.shell.colorGray0 : "#1a1a1a"
        border.color: keyboard.markColor
        Text {
            id: tipText
            anchors.fill: parent
            anchors.leftMargin: 6
            anchors.rightMargin: 6
            verticalAlignment: Text.AlignVCenter
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: tip.visible ? keyboard.tipText(tip.keyIndex) : ""
            color: keyboard.shell ? keyboard.shell.textColor : "#ffffff"
            font.family: keyboard.shell ? keyboard.shell.fontFamily : ""
            font.pixelSize: keyboard.shell ? keyboard.shell.fontSizeSmall : 11
        }
    }

    // The key whose hot spot holds the point, or -1.
    function keyAt(x, y) { return spacing.keyAt(x, y) }
    // Where key `index` lies on the picture; an empty rectangle when the
    // edition has no such key.
    function keyRect(index) {
        var place = spacing.placeOf(index)
        return place ? Qt.rect(place[1], place[2], place[3], place[4]) : Qt.rect(0, 0, 0, 0)
    }
    // Whether key `index` shows its border.
    function isMarked(index) { return keyMarks.isMarked(index) }

    function tipText(index) {
        return pages.keyboardData.get(index).keyCodeStr + " To " + pages.assignmentText(index)
    }

    function refreshMarks() {
        var marks = []
        var data = pages ? pages.keyboardData : null
        if (data && page === 0 && shownPicture >= 0) {
            var led = "led" + shownPicture
            for (var i = 0; i < data.count; ++i)
                marks.push(Number(data.get(i)[led]) !== 0)
        } else if (data && page === 1) {
            for (var j = 0; j < data.count; ++j)
                marks.push(!pages.isDefault(j))
        }
        modelMarks = marks
    }
    // Many model changes in a row (a page loading 126 keys) cost one refresh.
    function scheduleRefresh() { Qt.callLater(refreshMarks) }

    onPageChanged: scheduleRefresh()
    onShownPictureChanged: scheduleRefresh()
    onModelRevisionChanged: scheduleRefresh()
    Component.onCompleted: scheduleRefresh()

    Connections {
        target: keyboard.pages ? keyboard.pages.keyboardData : null
        function onDataChanged() { keyboard.modelRevision++ }
        function onCountChanged() { keyboard.modelRevision++ }
    }
}
