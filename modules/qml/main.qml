import QtQuick
import "basic"
import "J2"
import "keyboard"
import "basic/strings.js" as Strings
import "basic/profiles.js" as Profiles
import "basic/nameLists.js" as NameLists
import "basic/style.js" as Style

// The root document of the window. The bridge calls its functions by name:
// "initUI" and "run" after every device detection, "setProtectUI" for busy
// periods, "detectKeyboard"/"detectMouse" for captured input, "stopCapture"
// when the window is hidden.
Item {
    id: main
    width: 1000
    height: 640
    visible: false

    // Root state.
    property string language: "ChineseSimplified"
    property string url: "http://www.vortan.example"
    property int deviceConnectState: 0
    property int keyboardType: 0
    property string deviceType: "null"
    property int profileNo: 0
    property bool isPownOn: false
    property var mainLang: Strings.mainLang
    property var keyboardLang: Strings.keyboardLang
    property var mouseLang: Strings.mouseLang
    property var macroEditorLang: Strings.macroEditorLang
    property var promptLang: Strings.prompts
    property var helpMenuTexts: Strings.helpMenuInitial.concat([url])
    // Without a tray the help menu also offers Quit, the only other way out.
    property bool quitInHelpMenu: false
    readonly property var helpMenuEntries: quitInHelpMenu ? helpMenuTexts.concat([quitText()]) : helpMenuTexts

    // Style.
    readonly property string fontFamily: Style.fontFamily
    readonly property int fontSizeNormal: 12
    readonly property int fontSizeMiddle: 14
    readonly property int fontSizeSmall: 11
    readonly property color textColor: "#ffffff"
    readonly property color colorGray0: "#1a1a1a"
    readonly property color colorGray1: "#3c3c3c"
    readonly property color colorGray2: "#969696"
    readonly property color colorGray3: "#d1d1d1"
    readonly property color colorBlue: "#09347f"
    readonly property color colorOrange: "#ea5413"
    readonly property color colorKeySelect: "#ea5413"
    readonly property color colorBlack: "#000000"

    // Busy state: the last protect interval and whether input is blocked.
    property int busyTime: 0
    property bool busy: busyIndicator.running
    property bool mainScreenShown: false
    property int sidePage: 0            // 0 Light, 1 Key, 2 Macro
    property var profileItems: []
    property bool helpMenuOpen: false
    // The bridge's recent calls into the root, oldest first (diagnostics;
    // captured input is noted without its keys).
    property var callLog: []

    readonly property var keyboardPictures: ["tarnelUK", "sovrinUK", "tarnelUS", "sovrinUS", "duskenUS"]

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int mouseCode, int x, int y)
    // Every open list and field of the shell and the pages closes on it.
    signal closeMenus()

    function note(call) {
        var calls = callLog.slice(-11)
        calls.push(call)
        callLog = calls
    }

    // ---- Functions the bridge invokes ----

    function initUI() {
        note("initUI")
        setProtectUI(1000)
        main.visible = true
        ui_View.keyboardSetCurrentProfile()
        var state = Number(ui_View.getDeviceConnectState())
        for (var bit = 0; bit < 5; ++bit) {
            if (state & (1 << bit)) { keyboardType = bit; break }
        }
        deviceConnectState = state !== 0 ? 1 : 0
        if (isPownOn) {
            followConnectState()
            return
        }
        var lang = ui_View.getGlobalData("common/language")
        if (lang !== undefined && lang !== null && String(lang) !== "")
            language = String(lang)
        var address = ui_View.getGlobalData("common/url")
        if (address !== undefined && address !== null && String(address) !== "")
            url = String(address)
        if (language === "ChineseSimplified")
            loadLanguage(language)
        helpMenuTexts = [mainLang[21], mainLang[22], url]
        if (deviceConnectState === 1)
            selectKeyboard()
        else
            selectNoDevice()
        isPownOn = true
    }
    function run() { note("run") }

    function setProtectUI(interval) {
        note("setProtectUI " + interval)
        busyTime = interval
        busyIndicator.running = true
        ui_View.setEnabled(false)
        if (interval <= 0) {
            protectTimer.stop()
            releaseProtect()
        } else {
            protectTimer.interval = interval
            protectTimer.restart()
        }
    }
    function releaseProtect() {
        ui_View.setEnabled(true)
        busyIndicator.running = false
        mainScreenShown = true
    }
    function controlUIEnable(enable) {
        busyIndicator.running = !enable
        ui_View.setEnabled(enable)
    }
    function setCurrentDPI(dpiValue) { note("setCurrentDPI " + dpiValue) }
    function setProfile(no) { note("setProfile " + no) }
    function detectKeyboard(isDown, usbCode) {
        note("detectKeyboard")
        msg_KB(isDown, usbCode)
    }
    function detectMouse(isDown, mouseCode, x, y) {
        note("detectMouse")
        msg_MS(isDown, mouseCode, x, y)
    }
    // The window was hidden: whatever listens for captured input ends.
    function stopCapture() {
        note("stopCapture")
        if (mainScreen.item)
            mainScreen.item.pages.stopListening()
    }

    // Closes every open menu and ends any editing.
    function mainFocus() {
        helpMenuOpen = false
        closeMenus()
        background.forceActiveFocus()
    }

    // ---- Start-up steps ----

    function loadLanguage(code) {
        mainLang = ui_View.getLangStrings("main", code)
        keyboardLang = ui_View.getLangStrings("keyboard", code)
        mouseLang = ui_View.getLangStrings("mouse", code)
        macroEditorLang = ui_View.getLangStrings("macroEditor", code)
        keyNames.keyCodeStr = ui_View.getLangStrings("keyCode", code)
        ui_View.getLangStrings("other", code)   // requested, not used
        promptLang = Strings.promptsOver(ui_View.getLangStrings("prompts", code))
    }

    function takeStoredProfile() {
        profileNo = Number(ui_View.getGlobalData("keyboard/profileNo")) || 0
        ui_View.setCurrentProfile(profileNo)
    }
    function selectKeyboard() {
        takeStoredProfile()
        deviceType = "keyboard"
        ui_View.setDeviceIndex(0)
        initPages(false, false, true)
        fillProfiles()
    }
    // Without a keyboard the panel still shows the profile the keyboard uses,
    // so nothing moves when it arrives.
    function selectNoDevice() {
        takeStoredProfile()
        fillProfiles()
    }
    // A keyboard plugged in after start (at login, behind a KVM switch) gets
    // its pages from the stored values, nothing sent; one unplugged takes
    // them away again. The first initUI chooses; every later one follows.
    function followConnectState() {
        if (deviceConnectState === 1 && deviceType !== "keyboard") {
            selectKeyboard()
        } else if (deviceConnectState === 0 && deviceType === "keyboard") {
            clearKeySelection()
            deviceType = "null"
        }
    }

    // The keyboard pages reload their stored (or, for Recovery, factory)
    // values and send them when asked. The pages are built after the first
    // frame; a request that comes earlier waits for them.
    property var pendingPageInit: null
    function initPages(send, recovery, withMacroEditor) {
        var pages = mainScreen.item ? mainScreen.item.pages : null
        if (!pages) {
            var pending = pendingPageInit
            pendingPageInit = { send: send || (pending !== null && pending.send),
                                recovery: recovery,
                                withMacroEditor: withMacroEditor || (pending !== null && pending.withMacroEditor) }
            return
        }
        pages.initialise(send, recovery, withMacroEditor)
    }
    function runPendingPageInit() {
        var pending = pendingPageInit
        pendingPageInit = null
        if (pending !== null && mainScreen.item)
            mainScreen.item.pages.initialise(pending.send, pending.recovery, pending.withMacroEditor)
    }
    function clearKeySelection() {
        if (mainScreen.item)
            mainScreen.item.pages.clearSelection()
    }

    // ---- Profile panel ----

    function fillProfiles() {
        profileItems = Profiles.parse(ui_View.getNameList(2, 0))
    }
    function writeProfiles() {
        ui_View.updataNameList(2, Profiles.serialise(profileItems), 0)
    }
    function currentProfileName() {
        var i = Profiles.positionOf(profileItems, profileNo)
        return i < 0 ? "" : profileItems[i].name
    }
    // profileNo is the chosen item's own number (its store p<n+1>.bin), not
    // its list position: after a delete in the middle of the list the two
    // differ, and only the number keeps each item on its own store.
    function switchProfile(number) {
        controlUIEnable(false)
        profileNo = number
        ui_View.setCurrentProfile(number)
        ui_View.setGlobalData("keyboard/profileNo", number)
        clearKeySelection()
        initPages(true, false, false)
        controlUIEnable(true)
    }
    function chooseProfile(position) {
        if (position < 0 || position >= profileItems.length)
            return
        var number = profileItems[position].number
        if (number !== profileNo)
            switchProfile(number)
    }
    // An import adds its profile only once the file was read into the store:
    // a cancelled or refused import adds and sends nothing. With six
    // profiles the file replaces the selected one, which is asked first.
    function importProfile() {
        if (profileItems.length >= Profiles.maxProfiles)
            askToConfirm(prompt(Strings.PROMPT_IMPORT_OVER, currentProfileName()), function() { importInto(profileNo, false) })
        else
            importInto(Profiles.freeNumber(profileItems), true)
    }
    function importInto(number, adding) {
        if (!ui_View.loadProfile(number))
            return
        if (adding) {
            var items = profileItems.slice()
            items.push({ name: Profiles.freeName(items), number: number })
            profileItems = items
            writeProfiles()
        }
        switchProfile(number)
    }
    function exportProfile() { ui_View.saveProfile(profileNo) }
    // False when all six numbers are taken (the panel says so).
    function newProfile() {
        var items = profileItems.slice()
        var number = Profiles.freeNumber(items)
        if (number < 0)
            return false
        items.push({ name: Profiles.freeName(items), number: number })
        profileItems = items
        writeProfiles()
        ui_View.resetProfile(number)
        switchProfile(number)
        return true
    }
    function deleteProfile() {
        var position = Profiles.positionOf(profileItems, profileNo)
        if (position > 0)
            askToConfirm(prompt(Strings.PROMPT_DELETE_PROFILE, profileItems[position].name), removeProfile)
    }
    // The deleted profile's store goes back to the factory values, so that
    // no later New or Import brings its settings back.
    function removeProfile() {
        var position = Profiles.positionOf(profileItems, profileNo)
        if (position <= 0)
            return
        var number = profileNo
        var items = profileItems.slice()
        items.splice(position, 1)
        profileItems = items
        writeProfiles()
        ui_View.resetProfile(number)
        switchProfile(items[position - 1].number)
    }
    function renameProfile(name) {
        var position = Profiles.positionOf(profileItems, profileNo)
        if (position < 0 || !NameLists.isUsableName(name) || Profiles.hasName(profileItems, name))
            return false
        var items = profileItems.slice()
        items[position] = { name: name, number: items[position].number }
        profileItems = items
        writeProfiles()
        return true
    }

    // ---- Help menu ----

    function toggleHelpMenu() {
        quitInHelpMenu = !ui_Ctl.hasTray()
        helpMenuOpen = !helpMenuOpen
    }
    function quitText() {
        var texts = language === "English" ? [] : ui_View.getLangStrings("tray", language)
        return texts.length > 1 && String(texts[1]) !== "" ? String(texts[1]) : "Quit"
    }
    function runHelpEntry(index) {
        helpMenuOpen = false
        if (index === 3) {
            ui_Ctl.quit()
        } else if (index === 0) {
            ui_View.openUpdateExe(keyboardType)
        } else if (index === 1) {
            askToConfirm(prompt(Strings.PROMPT_RECOVERY, currentProfileName()), recoverProfile)
        } else {
            Qt.openUrlExternally(url)
        }
    }

    function recoverProfile() {
        controlUIEnable(false)
        ui_View.resetProfile(profileNo)
        clearKeySelection()
        initPages(true, true, false)
        controlUIEnable(true)
    }

    // Questions before what cannot be undone, and the limits the window tells.
    function prompt(index, arg) { return Strings.prompt(promptLang, index, arg) }
    function askToConfirm(question, action) { confirmDialog.ask(question, action) }

    Timer {
        id: protectTimer
        repeat: false
        onTriggered: main.releaseProtect()
    }

    KeyCodeString { id: keyNames }
    property alias keyCodeString: keyNames

    // ---- Window ----

    Environment { id: background }

    // Dragging the window from its background; every press closes menus.
    // The first movement hands the drag to the window system's own move;
    // where there is none the window follows by offsets.
    MouseArea {
        anchors.fill: parent
        property point pressPoint
        property bool dragHandedOver: false
        property bool dragStarted: false
        onPressed: function(mouse) {
            pressPoint = Qt.point(mouse.x, mouse.y)
            dragStarted = false
            dragHandedOver = false
            main.mainFocus()
        }
        onPositionChanged: function(mouse) {
            if (!(mouse.buttons & Qt.LeftButton) || dragHandedOver)
                return
            if (!dragStarted) {
                dragStarted = true
                dragHandedOver = ui_Ctl.startSystemMove()
                if (dragHandedOver)
                    return
            }
            ui_Ctl.onXChanged(mouse.x - pressPoint.x)
            ui_Ctl.onYChanged(mouse.y - pressPoint.y)
        }
    }

    Image {
        id: powerOnLogo
        objectName: "powerOnLogo"
        anchors.centerIn: parent
        visible: !main.mainScreenShown
        asynchronous: true
        // Shown once: uncached, so that its pixels are freed with it.
        cache: false
        source: main.mainScreenShown ? "" : "qrc:/index/modules/img/skin1/index/powerOn.png"
    }

    // Built when the window first shows, so the first frame does not wait for it.
    Loader {
        id: mainScreen
        anchors.fill: parent
        active: main.visible
        asynchronous: true
        visible: main.mainScreenShown
        sourceComponent: mainScreenComponent
        onLoaded: main.runPendingPageInit()
    }

    Component {
        id: mainScreenComponent
    Item {
        property alias pages: keyboardPages

        Text {
            x: 24
            y: 8
            text: "VORTAN"
            color: main.textColor
            font.family: main.fontFamily
            font.pixelSize: 22
            font.bold: true
            font.letterSpacing: 4
        }
        Text {
            x: 190
            y: 24
            text: main.deviceType === "keyboard" ? main.mainLang[23] : ""
            color: main.colorGray2
            font.family: main.fontFamily
            font.pixelSize: main.fontSizeMiddle
        }

        Menu_Up { objectName: "titleBarButtons"; onHelpClick: main.toggleHelpMenu() }

        // Side menu.
        Item {
            id: sideMenu
            x: 0
            y: 81
            width: 191
            height: 510
            Column {
                visible: main.deviceType === "keyboard"
                Repeater {
                    model: 3
                    Button {
                        objectName: "sideButton" + index
                        area: "keyboard"
                        name: "sideBtn"
                        width: 191
                        height: 48
                        selected: main.sidePage === index
                        text: main.mainLang[17 + index]
                        onBtnClick: main.sidePage = index
                    }
                }
            }
            ProfilePanel {
                id: profilePanel
                y: 170
                shell: main
            }
        }

        // Main area.
        Item {
            id: mainArea
            x: 192
            y: 107
            width: 809
            height: 510
            visible: main.deviceType === "keyboard"
            KeyboardPages {
                id: keyboardPages
                objectName: "keyboardPages"
                shell: main
            }
        }
        // Built only while no keyboard is connected: its texts are laid out
        // for nothing the rest of the time.
        Loader {
            objectName: "noKeyboardHint"
            x: 192
            y: 107
            width: 809
            height: 510
            active: main.deviceType !== "keyboard"
            visible: active
            sourceComponent: NoKeyboardHint {
                texts: Strings.noKeyboardTexts(main.language)
                fontFamily: main.fontFamily
            }
        }

        Text {
            x: 898
            y: 623
            text: main.mainLang[27]
            color: main.textColor
            font.family: main.fontFamily
            font.pixelSize: main.fontSizeSmall
            font.bold: true
        }

        // Help menu: built while it is open, so its texts and font are
        // laid out only when asked for.
        // Just below the title-bar buttons (11 + 20 px), not over their edge.
        Loader {
            objectName: "helpMenu"
            x: main.width - 230
            y: 33
            z: 50
            active: main.helpMenuOpen
            sourceComponent: Rectangle {
                id: helpMenu
                width: 220
                height: main.helpMenuEntries.length * 27
                color: main.colorGray0
                border.color: main.colorGray1
                Column {
                    Repeater {
                        model: main.helpMenuEntries.length
                        Item {
                            width: helpMenu.width
                            height: 27
                            Text {
                                x: 10
                                width: parent.width - 20
                                anchors.verticalCenter: parent.verticalCenter
                                elide: Text.ElideRight
                                text: main.helpMenuEntries[index]
                                color: entry.containsMouse ? main.colorOrange : main.textColor
                                font.family: main.fontFamily
                                font.pixelSize: main.fontSizeNormal
                            }
                            MouseArea {
                                id: entry
                                anchors.fill: parent
                                hoverEnabled: true
                                onClicked: main.runHelpEntry(index)
                            }
                        }
                    }
                }
            }
        }
    }

    }

    ConfirmDialog {
        id: confirmDialog
        objectName: "confirmation"
        okText: main.mainLang[5]
        cancelText: main.mainLang[15]
    }

    // Below the power-on logo while that shows, centred afterwards.
    BusyIndicator { id: busyIndicator; labelOffset: main.mainScreenShown ? 0 : powerOnLogo.height / 2 + 24 }
}
