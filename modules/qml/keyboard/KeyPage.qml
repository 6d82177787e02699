import QtQuick
import "../J2"
import "../basic/style.js" as Style
import "keyMatrix.js" as Matrix
import "keyAssignment.js" as Assignment
import "deviceCodes.js" as DeviceCodes

// The key-setting page ("Key"): what the selected key does. A category list
// chooses the panel (key-name fields, a function list, the macro list; the
// mouse and advanced panels show stored assignments of those kinds); Save
// stores the key's [kind, data] pair and sends the whole key matrix.
Item {
    id: keyPage
    property var pages
    readonly property var shell: pages ? pages.shell : null
    readonly property var model: pages ? pages.keyboardData : null
    readonly property int selectedKey: pages ? pages.selectKey : -1

    // Panel shown: one of Assignment.panel*.
    property string panel: Assignment.panelKeys
    property string singleText: ""
    property string groupText: ""
    property string armed: ""          // "single", "group" or ""
    // true per key whose assignment is not its default; the picture's
    // marks follow it.
    property var modifiedMarks: []

    // List texts, set on every initialisation.
    property var categoryTexts: []
    property var mouseTexts: []
    property var multimediaTexts: []
    property var systemTexts: []
    property var officeTexts: []
    property var advancedTexts: []
    property var macroTexts: []
    property string singleLabel: ""
    property string groupLabel: ""
    property string selectText: ""
    property string saveText: ""

    width: 809
    height: 255

    Component.onCompleted: setTexts()

    // ---- Called by the container ----

    function initialise(isSendData, isRecovery) {
        for (var i = 0; i < Matrix.keyCount; ++i) {
            var pair = readPair(i, isRecovery)
            model.setProperty(i, "functionIndex", pair.kind)
            model.setProperty(i, "functionDataStr", pair.data)
        }
        setTexts()
        refreshMacroList(pages.macroNames())
        recomputeMarks()
        if (isSendData)
            sendMatrix()
    }

    function keyClicked(index) {
        var key = model.get(index)
        var kind = key.functionIndex
        var data = key.functionDataStr
        closeMenus()
        categoryList.currentIndex = Assignment.categoryOfKind(kind)
        panel = Assignment.panelForKind(kind)
        armed = ""
        singleText = ""
        groupText = ""
        switch (panel) {
        case Assignment.panelKeys:
            if (Assignment.isGroup(data)) groupText = data
            else singleText = data
            break
        case Assignment.panelAdvanced: {
            var option = Assignment.advancedOptionOf(data)
            var path = option < 0 ? "" : ui_View.getGlobalData(Assignment.advancedPathKey + index)
            advancedPanel.show(option, path === undefined || path === null ? "" : String(path))
            break
        }
        default: {
            var list = listOfPanel(panel)
            list.currentIndex = Math.max(0, DeviceCodes.positionIn(data, list.model.length))
        }
        }
    }

    function keyReported(isDown, usbCode) {
        if (!isDown || !visible || panel !== Assignment.panelKeys || armed === "")
            return
        var name = shell.keyCodeString.keycodeTostr(usbCode)
        if (name === "")
            return
        if (armed === "single")
            singleText = name
        else
            groupText = Assignment.addToGroup(groupText, name)
    }

    function refreshMacroList(names) {
        var list = []
        for (var i = 0; i < names.length; ++i)
            list.push(String(names[i]))
        macroTexts = list
        if (macroList.currentIndex >= list.length)
            macroList.currentIndex = 0
    }

    function isDefault(index) {
        return modifiedMarks.length > index ? !modifiedMarks[index] : true
    }
    // The assignment's text for the picture's tip (the picture puts the
    // key's name and " To " in front).
    function assignmentText(index) {
        if (modifiedMarks.length <= index)
            return ""
        var key = model.get(index)
        return Assignment.assignmentText(key.functionIndex, key.functionDataStr, {
            mouse: mouseTexts, multimedia: multimediaTexts, system: systemTexts,
            macro: macroTexts, office: officeTexts, advanced: advancedTexts })
    }

    function closeMenus() {
        for (var i = 0; i < dropLists.length; ++i)
            dropLists[i].closeMenu()
    }

    // ---- Page actions ----

    function chooseCategory(position) {
        categoryList.currentIndex = position
        panel = Assignment.panelForCategory(position)
        if (Assignment.kindOfCategory(position) === Assignment.kindDefault
                && selectedKey >= 0 && selectedKey !== Matrix.fnIndex) {
            armed = ""
            singleText = model.get(selectedKey).keyCodeStr
            groupText = ""
        }
    }

    function armField(which) {
        singleText = ""
        groupText = ""
        armed = which
    }

    function save() {
        var index = selectedKey
        if (index < 0) {
            console.info("Save on the key page without a selected key: nothing changes")
            return
        }
        var choice = Assignment.saveChoice({
            panel: panel, category: categoryList.currentIndex, isFn: index === Matrix.fnIndex,
            single: singleText, group: groupText, armed: armed,
            mouse: mouseList.currentIndex, multimedia: multimediaList.currentIndex,
            system: systemList.currentIndex, macro: macroList.currentIndex, office: officeList.currentIndex,
            macroCount: macroTexts.length,
            advancedOption: advancedPanel.option, advancedPath: advancedPanel.chosenPath })
        if (choice === null) {
            console.info("Save on the key page: nothing chosen for key", index, "- it keeps its assignment")
            return
        }
        if (choice.kind === Assignment.kindAdvanced)
            ui_View.setGlobalData(Assignment.advancedPathKey + index, choice.path)
        model.setProperty(index, "functionIndex", choice.kind)
        model.setProperty(index, "functionDataStr", choice.data)
        ui_View.setDataList("keyboardKeyMatrix/" + index, [choice.kind, choice.data])
        recomputeMarks()
        sendMatrix()
    }

    // Macros of the macro keys go first, so the keyboard has them when the
    // matrix points at them.
    function sendMatrix() {
        for (var i = 0; i < Matrix.keyCount; ++i) {
            var key = model.get(i)
            if (key.functionIndex === Assignment.kindMacro) {
                var position = DeviceCodes.positionIn(key.functionDataStr, DeviceCodes.macroPositions)
                if (position >= 0)
                    pages.sendMacro(position)
            }
        }
        ui_View.keyboardSetKeyMatrix(matrixValues(), 1)
    }
    function matrixValues() {
        return DeviceCodes.matrixValues(model, function(name) { return shell.keyCodeString.strTokeycode(name) })
    }

    // ---- Helpers ----

    function readPair(index, isRecovery) {
        var stored = Assignment.parseStored(ui_View.getDataList("keyboardKeyMatrix/" + index, isRecovery))
        if (stored !== null)
            return stored
        console.warn("key", index, "has no usable stored assignment - it takes its default")
        return Assignment.defaultAssignment(index, Matrix.nameAt(index), Matrix.fnIndex)
    }
    function recomputeMarks() {
        var marks = []
        for (var i = 0; i < Matrix.keyCount; ++i) {
            var key = model.get(i)
            marks.push(!Assignment.isDefault(i, key.functionIndex, key.functionDataStr, key.keyCodeStr,
                                             Matrix.fnIndex))
        }
        modifiedMarks = marks
    }
    function setTexts() {
        if (!shell)
            return
        var lang = shell.keyboardLang
        categoryTexts = Assignment.textsAt(lang, Assignment.categoryTextIndices)
        mouseTexts = Assignment.textsAt(shell.mouseLang, Assignment.mouseTextIndices)
        multimediaTexts = Assignment.textsAt(lang, Assignment.multimediaTextIndices)
        systemTexts = Assignment.systemTexts(lang)
        officeTexts = Assignment.textsAt(lang, Assignment.officeTextIndices)
        advancedTexts = Assignment.textsAt(lang, Assignment.advancedTextIndices)
        singleLabel = lang[Assignment.singleKeyTextIndex]
        groupLabel = lang[Assignment.groupKeyTextIndex]
        selectText = lang[Assignment.selectTextIndex]
        saveText = lang[Assignment.saveTextIndex]
    }
    function listOfPanel(name) {
        return { mouse: mouseList, multimedia: multimediaList, system: systemList,
                 macro: macroList, office: officeList }[name]
    }
    readonly property var dropLists: [categoryList, mouseList, multimediaList, systemList, macroList, officeList]

    // ---- Screen ----

    Image {
        source: "qrc:/keyboard/modules/img/skin1/keyboard/keyBg.png"
    }

    Text {
        x: 30
        y: 24
        text: shell ? shell.mainLang[18] + (selectedKey >= 0 && model.get(selectedKey).keyCodeStr !== ""
                                            ? ":  " + model.get(selectedKey).keyCodeStr : "") : ""
        color: "#d1d1d1"
        font.family: Style.fontFamily
        font.pixelSize: 14
    }

    DropDownList {
        id: categoryList
        objectName: "categoryList"
        x: 30
        y: 56
        width: 160
        model: keyPage.categoryTexts
        z: opened ? 100 : 1
        onValueChange: function(position) { keyPage.chooseCategory(position) }
    }

    Item {
        id: panels
        x: 240
        y: 56
        width: 540
        height: 180

        Column {
            visible: keyPage.panel === Assignment.panelKeys
            spacing: 18
            KeyPageKeyField {
                objectName: "singleKeyField"
                label: keyPage.singleLabel
                text: keyPage.singleText
                armed: keyPage.armed === "single"
                onArm: keyPage.armField("single")
            }
            KeyPageKeyField {
                objectName: "groupKeyField"
                label: keyPage.groupLabel
                text: keyPage.groupText
                armed: keyPage.armed === "group"
                onArm: keyPage.armField("group")
            }
        }
        DropDownList {
            id: mouseList
            objectName: "mouseList"
            width: 220
            model: keyPage.mouseTexts
            visible: keyPage.panel === Assignment.panelMouse
        }
        DropDownList {
            id: multimediaList
            objectName: "multimediaList"
            width: 220
            model: keyPage.multimediaTexts
            visible: keyPage.panel === Assignment.panelMultimedia
        }
        DropDownList {
            id: systemList
            objectName: "systemList"
            width: 220
            model: keyPage.systemTexts
            visible: keyPage.panel === Assignment.panelSystem
        }
        DropDownList {
            id: macroList
            objectName: "macroList"
            width: 220
            model: keyPage.macroTexts
            visible: keyPage.panel === Assignment.panelMacro
        }
        DropDownList {
            id: officeList
            objectName: "officeList"
            width: 220
            model: keyPage.officeTexts
            visible: keyPage.panel === Assignment.panelOffice
        }
        KeyPageAdvanced {
            id: advancedPanel
            objectName: "advancedPanel"
            texts: keyPage.advancedTexts
            selectText: keyPage.selectText
            visible: keyPage.panel === Assignment.panelAdvanced
        }
    }

    Button {
        objectName: "keySaveButton"
        area: "keyboard"
        name: "saveBtn"
        x: 749
        y: 195
        hoverText: keyPage.saveText
        onBtnClick: keyPage.save()
    }
}
