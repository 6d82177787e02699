import QtQuick
import "keyMatrix.js" as Matrix
import "keyAssignment.js" as Assignment
import "deviceCodes.js" as DeviceCodes

// The key-setting page ("Key"): what the selected key does. A category list
// chooses the panel (key-name fields, a function list, the macro list; the
// mouse and advanced panels show stored assignments of those kinds); Save
// stores the key's [kind, data] pair and sends the whole key matrix.
//
// The page is created hidden and its functions are called before it is ever
// shown, so its state and logic live here; what it shows (KeyPageView) is
// built the first time the page becomes visible and then kept.
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
    // The armed field takes captured keys only while the page shows it.
    readonly property bool listening: visible && panel === Assignment.panelKeys && armed !== ""
    // true per key whose assignment is not its default; the picture's
    // marks follow it.
    property var modifiedMarks: []

    // Positions chosen in the lists, and the advanced option with its
    // target per option.
    property int categoryIndex: 0
    property int mouseIndex: 0
    property int multimediaIndex: 0
    property int systemIndex: 0
    property int macroIndex: 0
    property int officeIndex: 0
    property int advancedOption: -1
    property var advancedPaths: ["", "", "", ""]
    // The panels that are lists; each has its <panel>Texts and <panel>Index.
    readonly property var listPanels: [Assignment.panelMouse, Assignment.panelMultimedia, Assignment.panelSystem,
                                       Assignment.panelMacro, Assignment.panelOffice]

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

    // True from the first show on; the view is built then and kept.
    property bool shown: false
    onVisibleChanged: if (visible) shown = true
    Component.onCompleted: {
        setTexts()
        shown = visible
    }

    // ---- Called by the container ----

    function initialise(isSendData, isRecovery) {
        setTexts()
        refreshMacroList(pages.macroNames())
        readPairs(isRecovery)
        if (isSendData)
            sendMatrix()
    }

    // The macro list changed and the bridge moved every profile's macro keys
    // with their macros: the page reads them again, and when a key of this
    // profile now plays from another slot, the keyboard gets the matrix with
    // the macros in their new slots.
    function macroKeysFollowed() {
        var before = macroSlots()
        readPairs(false)
        if (selectedKey >= 0)
            keyClicked(selectedKey)
        if (macroSlots() !== before) {
            shell.controlUIEnable(false)
            sendMatrix()
            shell.controlUIEnable(true)
        }
    }
    // Whether a key of this profile plays macro m (list position).
    function playsMacro(m) {
        for (var i = 0; i < Matrix.keyCount; ++i) {
            var key = model.get(i)
            if (key.functionIndex === Assignment.kindMacro && DeviceCodes.positionIn(key.functionDataStr, DeviceCodes.macroPositions) === m)
                return true
        }
        return false
    }

    function keyClicked(index) {
        var key = model.get(index)
        var kind = key.functionIndex
        var data = key.functionDataStr
        closeMenus()
        categoryIndex = Assignment.categoryOfKind(kind)
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
            showAdvanced(option, path === undefined || path === null ? "" : String(path))
            break
        }
        default:
            keyPage[panel + "Index"] = Math.max(0, DeviceCodes.positionIn(data, keyPage[panel + "Texts"].length))
        }
    }

    function keyReported(isDown, usbCode) {
        if (!isDown || !visible || panel !== Assignment.panelKeys || armed === "")
            return
        if (!shell.keyCodeString.hasName(usbCode))
            return
        var name = shell.keyCodeString.keycodeTostr(usbCode)
        if (armed === "single")
            singleText = name
        else
            groupText = Assignment.addToGroup(groupText, name)
    }

    function refreshMacroList(names) {
        var list = []
        for (var i = 0; i < names.length; ++i)
            list.push(String(names[i]))
        // The macro chosen in the list stays chosen where it moved to.
        var chosen = list.indexOf(macroTexts[macroIndex])
        macroTexts = list
        macroIndex = chosen >= 0 ? chosen : 0
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
        if (view.item)
            view.item.closeMenus()
    }

    // No key selected (a profile switch, Recovery): no key's panel is shown.
    onSelectedKeyChanged: if (selectedKey < 0) showNoKey()
    function showNoKey() {
        closeMenus()
        categoryIndex = 0
        panel = Assignment.panelKeys
        armed = ""
        singleText = ""
        groupText = ""
        showAdvanced(-1, "")
    }

    // ---- Page actions ----

    function chooseCategory(position) {
        categoryIndex = position
        panel = Assignment.panelForCategory(position)
        if (Assignment.kindOfCategory(position) === Assignment.kindDefault
                && selectedKey >= 0 && selectedKey !== Matrix.fnIndex) {
            armed = ""
            singleText = model.get(selectedKey).keyCodeStr
            groupText = ""
        }
    }

    function disarm() { armed = "" }

    function armField(which) {
        singleText = ""
        groupText = ""
        armed = which
    }

    function chooseAdvancedTarget(option, path) {
        var list = advancedPaths.slice()
        list[option] = path
        advancedPaths = list
        advancedOption = option
    }

    function save() {
        var index = selectedKey
        if (index < 0) {
            console.info("Save on the key page without a selected key: nothing changes")
            return
        }
        var choice = Assignment.saveChoice({
            panel: panel, category: categoryIndex, isFn: index === Matrix.fnIndex,
            single: singleText, group: groupText, armed: armed,
            mouse: mouseIndex, multimedia: multimediaIndex, system: systemIndex, macro: macroIndex,
            office: officeIndex, macroCount: macroTexts.length,
            advancedOption: advancedOption, advancedPath: advancedOption < 0 ? "" : advancedPaths[advancedOption] })
        if (choice === null) {
            console.info("Save on the key page: nothing chosen for key", index, "- it keeps its assignment")
            return
        }
        if (choice.kind === Assignment.kindAdvanced)
            ui_View.setGlobalData(Assignment.advancedPathKey + index, choice.path)
        var macro = choice.kind === Assignment.kindMacro ? macroTexts[Number(choice.data)] : ""
        var hadMacro = model.get(index).functionMacro !== ""
        model.setProperty(index, "functionIndex", choice.kind)
        model.setProperty(index, "functionDataStr", choice.data)
        model.setProperty(index, "functionMacro", macro)
        ui_View.setDataList("keyboardKeyMatrix/" + index, [choice.kind, choice.data])
        // The macro's name keeps the key on it when the list changes.
        if (macro !== "" || hadMacro)
            ui_View.setData(Assignment.macroNameKey + index, macro)
        recomputeMarks()
        shell.controlUIEnable(false)
        sendMatrix()
        shell.controlUIEnable(true)
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

    function readPairs(isRecovery) {
        var names = pages.macroNames()
        model.setAll(function(i) {
            var pair = readPair(i, isRecovery, names)
            return { functionIndex: pair.kind, functionDataStr: pair.data, functionMacro: pair.macro || "" }
        })
        recomputeMarks()
    }
    function readPair(index, isRecovery, names) {
        var stored = Assignment.parseStored(ui_View.getDataList("keyboardKeyMatrix/" + index, isRecovery))
        if (stored !== null && stored.kind === Assignment.kindMacro) {
            var name = ui_View.getData(Assignment.macroNameKey + index, isRecovery)
            stored = Assignment.resolveMacro(stored.data, name === undefined || name === null ? "" : String(name), names)
            if (stored === null)
                console.warn("key", index, "played the macro", JSON.stringify(String(name)),
                             "which the macro list no longer holds - it takes its default")
        } else if (stored === null) {
            console.warn("key", index, "has no usable stored assignment - it takes its default")
        }
        return stored !== null ? stored : Assignment.defaultAssignment(index, Matrix.nameAt(index), Matrix.fnIndex)
    }
    // The slots the macro keys play from, as one text to compare.
    function macroSlots() {
        var slots = []
        for (var i = 0; i < Matrix.keyCount; ++i) {
            var key = model.get(i)
            slots.push(key.functionIndex === Assignment.kindMacro ? key.functionDataStr : "")
        }
        return slots.join(",")
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
    // A stored advanced assignment: its option and path, the others empty.
    function showAdvanced(option, path) {
        var list = ["", "", "", ""]
        if (option >= 0)
            list[option] = path
        advancedPaths = list
        advancedOption = option
    }

    // ---- Screen ----

    // Loaded by its address, so that its types are read only when the page
    // is first shown.
    Loader { id: view }
    onShownChanged: if (shown && !view.item) view.setSource("KeyPageView.qml", { page: keyPage })
}
