import QtQuick
import "../J2"
import "../basic"
import "lighting.js" as Lighting
import "../basic/strings.js" as Strings

// The lighting page: effect, brightness, speed and direction, and the five
// user pictures drawn by clicking keys on the keyboard picture.
//
// Editing only changes the page's values; Save stores them in the current
// profile and sends them to the keyboard.
Item {
    id: lightPage
    property var pages
    readonly property var shell: pages ? pages.shell : null
    readonly property var texts: shell ? shell.keyboardLang : []

    // The eight lighting values (see lighting.js for their order).
    property int effect: Lighting.defaults[Lighting.EFFECT]
    property int brightness: Lighting.defaults[Lighting.BRIGHTNESS]
    property int speed: Lighting.defaults[Lighting.SPEED]
    property int red: Lighting.defaults[Lighting.RED]
    property int green: Lighting.defaults[Lighting.GREEN]
    property int blue: Lighting.defaults[Lighting.BLUE]
    property int colourMode: Lighting.defaults[Lighting.COLOUR_MODE]
    property int direction: Lighting.defaults[Lighting.DIRECTION]
    // The user picture (0-4) the keyboard picture shows lit keys of, or -1.
    readonly property int shownPicture: Lighting.pictureOf(effect)
    // The tints the keyboard picture shows while this page is on screen.
    readonly property alias preview: preview

    width: 809
    height: 255

    // ---- Called by the container ----

    // Puts the stored (or, for Recovery, factory) values on the page and
    // the pictures into the key model, stores the values back and hands
    // them to the keyboard, which shows them only when isSendData.
    function initialise(isSendData, isRecovery) {
        var read = Lighting.readValues(ui_View.getDataList("keyboard/lightValue", isRecovery))
        if (read.repaired.length > 0)
            console.warn("lighting values: positions", read.repaired.join(","), "missing or out of range - factory values used")
        setValues(read.values)

        var pictures = []
        for (var k = 0; k < Lighting.pictureCount; ++k)
            pictures.push(Lighting.readPicture(ui_View.getDataList("keyboard/led" + k, isRecovery)))
        pages.keyboardData.setAll(function(i) {
            return i < Lighting.keyCount ? { led0: pictures[0][i], led1: pictures[1][i], led2: pictures[2][i],
                                             led3: pictures[3][i], led4: pictures[4][i] } : null
        })

        ui_View.setDataList("keyboard/lightValue", values())
        sendEffect(0)
        if (isSendData) {
            sendEffect(1)
            // The keyboard keeps the last picture it was given: the picture
            // the new values show goes with them.
            if (shownPicture >= 0)
                sendPicture(shownPicture)
        }
    }

    // With a user picture chosen, a click on a key toggles it in that picture.
    function keyClicked(index) {
        if (shownPicture < 0 || index < 0 || index >= pages.keyboardData.count)
            return
        var data = pages.keyboardData
        data.setProperty(index, "led" + shownPicture, Number(data.get(index)["led" + shownPicture]) !== 0 ? 0 : 1)
    }

    function closeMenus() { effectList.closeMenu() }

    // A string of keyboardLang; "" where a language file leaves it out.
    function text(index) { return texts[index] === undefined ? "" : String(texts[index]) }

    // ---- Values ----

    function values() {
        return [effect, brightness, speed, red, green, blue, colourMode, direction]
    }
    function setValues(v) {
        effect = v[Lighting.EFFECT]
        brightness = v[Lighting.BRIGHTNESS]
        speed = v[Lighting.SPEED]
        red = v[Lighting.RED]
        green = v[Lighting.GREEN]
        blue = v[Lighting.BLUE]
        colourMode = v[Lighting.COLOUR_MODE]
        direction = v[Lighting.DIRECTION]
        effectList.currentIndex = effect
        brightnessSlider.setValue(brightness)
        speedSlider.setValue(speed)
        showDirection()
    }
    function chooseDirection(d) {
        if (Lighting.directionEnabled(d, effect))
            direction = d
        showDirection()
    }
    function showDirection() {
        leftToRight.selected = direction === Lighting.leftToRight
        rightToLeft.selected = direction === Lighting.rightToLeft
    }
    function picture(k) {
        var flags = []
        var data = pages.keyboardData
        for (var i = 0; i < Lighting.keyCount; ++i)
            flags.push(i < data.count && Number(data.get(i)["led" + k]) !== 0 ? 1 : 0)
        return flags
    }

    function sendEffect(isSendCode) {
        ui_View.keyboardSetRGBEffect(effect, brightness, speed, colourMode, direction, red, green, blue, isSendCode)
    }
    function sendPicture(k) {
        ui_View.keyboardSetPicture(k, Lighting.deviceOrder(picture(k)))
    }

    // The effect and its picture go to the keyboard as one page: input
    // waits until both are sent.
    function save() {
        ui_View.setDataList("keyboard/lightValue", values())
        shell.controlUIEnable(false)
        sendEffect(1)
        var k = shownPicture
        if (k >= 0) {
            var flags = picture(k)
            ui_View.setDataList("keyboard/led" + k, flags)
            ui_View.keyboardSetPicture(k, Lighting.deviceOrder(flags))
        }
        shell.controlUIEnable(true)
    }

    // ---- Controls ----

    component Heading: Text {
        color: lightPage.shell ? lightPage.shell.textColor : "#ffffff"
        font.family: lightPage.shell ? lightPage.shell.fontFamily : ""
        font.pixelSize: lightPage.shell ? lightPage.shell.fontSizeMiddle : 14
    }
    component EndLabel: Text {
        width: 48
        color: lightPage.shell ? lightPage.shell.colorGray2 : "#969696"
        font.family: lightPage.shell ? lightPage.shell.fontFamily : ""
        font.pixelSize: lightPage.shell ? lightPage.shell.fontSizeNormal : 12
    }

    PanelBackground { name: "lightBg"; width: 809; height: 250 }

    LightPreview {
        id: preview
        page: lightPage
        shown: lightPage.visible
    }

    Text {
        objectName: "previewCaption"
        x: 30
        y: 100
        width: 200
        wrapMode: Text.WordWrap
        text: Strings.previewCaption(lightPage.shell ? lightPage.shell.language : "English")
        color: lightPage.shell ? lightPage.shell.colorGray2 : "#969696"
        font.family: lightPage.shell ? lightPage.shell.fontFamily : ""
        font.pixelSize: (lightPage.shell && lightPage.shell.fontSizeSmall) || 11
    }

    Heading { x: 30; y: 24; text: lightPage.text(0) }          // "Light Mode"
    DropDownList {
        id: effectList
        objectName: "effectList"
        x: 30
        y: 56
        width: 180
        model: {
            var names = []
            for (var i = 0; i < Lighting.effectCount; ++i)
                names.push(lightPage.text(80 + i))
            return names
        }
        onValueChange: function(index) { lightPage.effect = index }
    }

    Heading { x: 260; y: 24; text: lightPage.text(2) }         // "Brightness"
    EndLabel { x: 260; y: 58; text: lightPage.text(3); horizontalAlignment: Text.AlignRight }
    SliderButton {
        id: brightnessSlider
        objectName: "brightnessSlider"
        x: 318
        y: 56
        width: Lighting.sliderTrack
        height: 18
        knobWidth: Lighting.sliderKnob
        onValueChange: function(value) { lightPage.brightness = value }
    }
    EndLabel { x: 571; y: 58; text: lightPage.text(4) }

    Heading { x: 260; y: 104; text: lightPage.text(5) }        // "Speed"
    EndLabel { x: 260; y: 138; text: lightPage.text(6); horizontalAlignment: Text.AlignRight }
    SliderButton {
        id: speedSlider
        objectName: "speedSlider"
        x: 318
        y: 136
        width: Lighting.sliderTrack
        height: 18
        knobWidth: Lighting.sliderKnob
        onValueChange: function(value) { lightPage.speed = value }
    }
    EndLabel { x: 571; y: 138; text: lightPage.text(7) }

    Heading { x: 640; y: 24; text: lightPage.text(9) }         // "Direction"
    CheckBox {
        id: leftToRight
        objectName: "directionLeftToRight"
        x: 640
        y: 60
        text: lightPage.text(10)
        enabled: Lighting.directionEnabled(Lighting.leftToRight, lightPage.effect)
        opacity: enabled ? 1 : 0.4
        onBtnClick: lightPage.chooseDirection(Lighting.leftToRight)
    }
    CheckBox {
        id: rightToLeft
        objectName: "directionRightToLeft"
        x: 640
        y: 92
        text: lightPage.text(11)
        onBtnClick: lightPage.chooseDirection(Lighting.rightToLeft)
    }

    Button {
        id: saveButton
        objectName: "lightSaveButton"
        x: 749
        y: 196
        area: "keyboard"
        name: "saveBtn"
        hoverText: lightPage.text(42)                          // "Save"
        onBtnClick: lightPage.save()
    }
}
