import QtQuick
import QtTest
import "qrc:/modules/qml/keyboard/keyMatrix.js" as Matrix
import "qrc:/modules/qml/keyboard/keyAssignment.js" as Assignment

// The key-setting page inside the real root document, against the
// recording bridge: what it reads, shows, stores and sends.
TestCase {
    id: testCase
    name: "KeyPage"
    when: windowShown
    visible: true
    width: 1000
    height: 640

    property var shell: null
    property var pages: null
    property var keyPage: null

    readonly property int keyA: 9
    readonly property int keyEsc: 0
    readonly property int keyFn: 71

    // A profile store like the shipped one: every key its own name, Fn the
    // system function "Fn"; overrides replace single pairs.
    function store(overrides) {
        var lists = {}
        for (var i = 0; i < Matrix.keyCount; ++i)
            lists["keyboardKeyMatrix/" + i] = i === keyFn ? ["4", "3"] : ["2", Matrix.nameAt(i)]
        for (var key in overrides) {
            if (overrides[key] === null)
                delete lists["keyboardKeyMatrix/" + key]
            else
                lists["keyboardKeyMatrix/" + key] = overrides[key]
        }
        return lists
    }

    // The page is shown unless `hidden`; a hidden page has never been shown.
    function make(overrides, macros, hidden, values) {
        ui_View.reset()
        ui_View.dataValues = values || {}
        ui_View.connectState = 1
        ui_View.globals = { "common/language": "English" }
        ui_View.nameList = ["profile_00"]
        ui_View.dataLists = store(overrides || {})
        ui_View.factoryLists = store({})
        ui_View.macroNames = macros || []
        var component = Qt.createComponent("qrc:/modules/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        shell = component.createObject(testCase)
        shell.initUI()
        tryVerify(function() { return findChild(shell, "keyPage") !== null }, 5000)
        pages = findChild(shell, "keyboardPages")
        keyPage = findChild(shell, "keyPage")
        tryVerify(function() { return ui_View.count("getDataList keyboardKeyMatrix/125 false") === 1 }, 5000)
        shell.setProtectUI(0)   // end the start-up protect period at once
        verify(shell.mainScreenShown)
        if (!hidden)
            shell.sidePage = 1
    }
    function cleanup() {
        if (shell) { shell.destroy(); shell = null }
        pages = null
        keyPage = null
    }

    function item(name) { return findChild(keyPage, name) }
    function key(index) { return pages.keyboardData.get(index) }
    function codeOf(index) { return ui_View.lastMatrix.slice(4 * index, 4 * index + 4) }
    function callsSince(mark) { return ui_View.calls.slice(mark) }
    function indexOfCall(prefix, from) {
        var calls = ui_View.calls
        for (var i = from || 0; i < calls.length; ++i) {
            if (calls[i].indexOf(prefix) === 0)
                return i
        }
        return -1
    }
    // The user clicks a key of the picture.
    function clickKey(index) {
        findChild(shell, "keyboard").keyClicked(index)
        compare(pages.selectKey, index)
    }
    function press(usage) {
        shell.detectKeyboard(true, usage)
        shell.detectKeyboard(false, usage)
    }

    // ---- Initialisation ----

    function test_startUpReadsEveryPairAndSendsNothing() {
        make({ 9: ["3", "4"], 10: ["2", "A+B"], 20: null, 30: ["9", "x"], 31: ["2"], 71: null })
        for (var i = 0; i < Matrix.keyCount; ++i)
            compare(ui_View.count("getDataList keyboardKeyMatrix/" + i + " false"), 1, "key " + i)
        compare(indexOfCall("keyboardSetKeyMatrix"), -1)
        compare(key(keyA).functionIndex, 3)
        compare(key(keyA).functionDataStr, "4")
        compare(key(10).functionDataStr, "A+B")
        // Missing or malformed pairs read as the key's default.
        compare([key(20).functionIndex, key(20).functionDataStr], [2, "E"])
        compare([key(30).functionIndex, key(30).functionDataStr], [2, "F4"])
        compare([key(31).functionIndex, key(31).functionDataStr], [2, "5"])
        compare([key(keyFn).functionIndex, key(keyFn).functionDataStr], [4, "3"])
        // Marks and the tip's text.
        verify(!keyPage.isDefault(keyA))
        verify(!keyPage.isDefault(10))
        verify(keyPage.isDefault(20))
        verify(keyPage.isDefault(keyFn))
        verify(keyPage.isDefault(5))
        compare(keyPage.assignmentText(keyA), "Stop")
        compare(keyPage.assignmentText(10), "A+B")
        compare(pages.assignmentText(keyA), "Stop")
        // Texts of the lists.
        compare(item("categoryList").model, ["Default", "Keyboard", "Multimedia", "System", "Macro", "Office"])
        compare(item("systemList").model, ["Power", "Sleep", "Wake", "Fn"])
        compare(item("mouseList").model, ["Left Key", "Right Key", "Middle Key", "Forward", "Back"])
        compare(item("multimediaList").model.length, 10)
        compare(item("officeList").model.length, 14)
        compare(item("officeList").model[13], "Run")
    }

    function test_initialiseSendsMacrosThenTheMatrix() {
        make({ 0: ["5", "1"], 9: ["3", "9"], 12: ["6", "11"], 13: ["1", "3"] }, ["m0", "m1"])
        ui_View.macroInis = { "m1": ["0,A,0,10", "1,A,1,10", 1, 0, 1] }
        var mark = ui_View.calls.length
        pages.initialise(true, false, false)
        var macroAt = indexOfCall("keyboardSendMacroData 1", mark)
        var matrixAt = indexOfCall("keyboardSetKeyMatrix 504 1", mark)
        verify(macroAt > 0, "the macro of the macro key is sent")
        verify(matrixAt > macroAt, "the matrix follows the macros")
        compare(ui_View.count("keyboardSetKeyMatrix 504 1"), 1)
        compare(ui_View.sentMacros.length, 1)
        compare(codeOf(0), [1, 0, 0, 0x04])
        compare(codeOf(keyA), [0x02, 0x23, 0, 0x03])
        compare(codeOf(12), [0x11, 0xE2, 0x2C, 0])
        compare(codeOf(13), [0, 0x08, 0, 0x0B])
        compare(codeOf(keyFn), [0, 0xFF, 0x05, 0x07])
        compare(codeOf(1), [0x35, 0, 0, 0])       // "`"
        compare(codeOf(10), [0x64, 0, 0, 0])      // "|\"
        compare(codeOf(6), [0, 0, 0, 0])          // no key there
        compare(item("macroList").model, ["m0", "m1"])
    }

    function test_recoveryReadsTheFactoryPairs() {
        make({ 9: ["3", "4"] })
        verify(!keyPage.isDefault(keyA))
        var mark = ui_View.calls.length
        pages.initialise(true, true, false)
        compare(ui_View.count("getDataList keyboardKeyMatrix/9 true"), 1)
        compare(indexOfCall("getDataList keyboardKeyMatrix/9 false", mark), -1)
        compare([key(keyA).functionIndex, key(keyA).functionDataStr], [2, "A"])
        verify(keyPage.isDefault(keyA))
        compare(codeOf(keyA), [0x04, 0, 0, 0])
    }

    function test_macroListFollowsTheEditor() {
        make({ 9: ["5", "2"] }, ["a", "b"])
        compare(keyPage.assignmentText(keyA), "2")   // no macro at that position
        keyPage.refreshMacroList(["x", "y", "z"])
        compare(item("macroList").model, ["x", "y", "z"])
        compare(keyPage.assignmentText(keyA), "z")
    }

    // ---- Macro keys stay on their macros ----

    function test_storedMacroKeys_data() {
        return [
            // Written before names were kept: the macro at the position.
            { tag: "position only", pair: ["5", "1"], name: undefined, kind: 5, data: "1", text: "b" },
            { tag: "name moved", pair: ["5", "0"], name: "b", kind: 5, data: "1", text: "b" },
            { tag: "name gone", pair: ["5", "0"], name: "gone", kind: 2, data: "F6", text: "F6" },
            { tag: "position past the list", pair: ["5", "4"], name: undefined, kind: 5, data: "4", text: "4" },
        ]
    }
    function test_storedMacroKeys(data) {
        make({ 42: data.pair }, ["a", "b"], false, data.name === undefined ? {} : { "keyboardMacroKey/42": data.name })
        compare([key(42).functionIndex, key(42).functionDataStr, keyPage.assignmentText(42)],
                [data.kind, data.data, data.text])
    }

    // Save keeps the macro's name beside the pair; another assignment drops it.
    function test_saveKeepsTheMacrosName() {
        make({}, ["m0", "m1"])
        clickKey(keyA)
        keyPage.chooseCategory(4)
        item("macroList").currentIndex = 1
        keyPage.save()
        compare(ui_View.dataValues["keyboardMacroKey/9"], "m1")
        keyPage.chooseCategory(2)
        keyPage.save()
        compare(ui_View.dataValues["keyboardMacroKey/9"], "")
    }

    // ---- A page not shown yet ----

    // Before its first show the page has built nothing to show, yet answers
    // every call; once shown it shows the state those calls left.
    function test_hiddenPageWorksAndShowsItsStateOnFirstShow() {
        make({ 9: ["3", "4"], 12: ["5", "1"] }, ["m0", "m1"], true)
        verify(!keyPage.visible)
        compare(item("categoryList"), null)
        compare(item("keySaveButton"), null)
        verify(!keyPage.isDefault(keyA))
        compare(keyPage.assignmentText(keyA), "Stop")
        ui_View.macroInis = { "m1": ["0,A,0,10", "1,A,1,10", 1, 0, 1] }
        var mark = ui_View.calls.length
        pages.initialise(true, false, false)
        verify(indexOfCall("keyboardSendMacroData 1", mark) > 0)
        compare(codeOf(keyA), [0, 0xB7, 0, 0x03])
        compare(keyPage.assignmentText(12), "m1")
        keyPage.refreshMacroList(["x", "y"])
        compare(keyPage.assignmentText(12), "y")
        keyPage.closeMenus()
        shell.mainFocus()
        // Keys pressed while the page is hidden are not taken.
        keyPage.armField("single")
        press(0x05)
        compare(keyPage.singleText, "")
        pages.selectKey = keyA
        keyPage.keyClicked(keyA)
        compare(item("multimediaList"), null)

        shell.sidePage = 1
        verify(keyPage.visible)
        compare(item("categoryList").currentIndex, 2)
        verify(item("multimediaList").visible)
        verify(!item("singleKeyField").visible)
        compare(item("multimediaList").currentIndex, 4)
        compare(item("macroList").model, ["x", "y"])
        compare(item("categoryList").model[2], "Multimedia")
        // A closed list holds no rows.
        compare(findChild(keyPage, "categoryListItem0"), null)
        // The choices made on the page reach its state, and back.
        item("multimediaList").currentIndex = 6
        compare(keyPage.multimediaIndex, 6)
        keyPage.keyClicked(keyA)
        compare(item("multimediaList").currentIndex, 4)
        // Hiding keeps what was built.
        shell.sidePage = 0
        verify(item("categoryList") !== null)
    }

    // ---- Clicking a key shows its assignment ----

    function test_clickShowsTheAssignment_data() {
        return [
            { tag: "single key", pair: ["2", "A"], category: 1, panel: "singleKeyField", single: "A", group: "" },
            { tag: "group", pair: ["2", "LCtrl+LAlt+Del"], category: 1, panel: "groupKeyField",
              single: "", group: "LCtrl+LAlt+Del" },
            { tag: "default kind", pair: ["0", ""], category: 0, panel: "singleKeyField", single: "", group: "" },
            { tag: "mouse", pair: ["1", "2"], category: 0, panel: "mouseList", position: 2 },
            { tag: "multimedia", pair: ["3", "4"], category: 2, panel: "multimediaList", position: 4 },
            { tag: "system", pair: ["4", "3"], category: 3, panel: "systemList", position: 3 },
            { tag: "macro", pair: ["5", "1"], category: 4, panel: "macroList", position: 1 },
            { tag: "office", pair: ["6", "13"], category: 5, panel: "officeList", position: 13 },
        ]
    }
    function test_clickShowsTheAssignment(data) {
        make({ 9: data.pair }, ["m0", "m1"])
        clickKey(keyA)
        compare(item("categoryList").currentIndex, data.category)
        var panels = ["singleKeyField", "mouseList", "multimediaList", "systemList", "macroList", "officeList",
                      "advancedPanel"]
        for (var i = 0; i < panels.length; ++i) {
            var shown = panels[i] === data.panel || (data.panel === "groupKeyField" && panels[i] === "singleKeyField")
            compare(item(panels[i]).visible, shown, panels[i])
        }
        if (data.position !== undefined)
            compare(item(data.panel).currentIndex, data.position)
        else {
            compare(item("singleKeyField").text, data.single)
            compare(item("groupKeyField").text, data.group)
        }
    }

    function test_advancedPanelOnlyForAdvancedKeys() {
        make({ 9: ["7", "4"] })
        ui_View.globals = { "keyboard/advaceFunction9": "C:\\Users\\me\\notes.txt" }
        clickKey(keyEsc)
        verify(!item("advancedPanel").visible)
        clickKey(keyA)
        verify(item("advancedPanel").visible)
        verify(item("advancedOption2").selected)
        verify(!item("advancedOption0").selected)
        compare(item("advancedPanel").chosenPath, "C:\\Users\\me\\notes.txt")
        compare(keyPage.assignmentText(keyA), "Open File")
        // Choosing a category leaves it.
        keyPage.chooseCategory(2)
        verify(!item("advancedPanel").visible)
        verify(item("multimediaList").visible)
    }

    // ---- Save ----

    function test_saveByCategory_data() {
        return [
            { tag: "multimedia", category: 2, list: "multimediaList", position: 9, stored: "3,9",
              code: [0x02, 0x23, 0, 0x03] },
            { tag: "system", category: 3, list: "systemList", position: 1, stored: "4,1", code: [0x02, 0, 0, 0x02] },
            { tag: "office", category: 5, list: "officeList", position: 10, stored: "6,10",
              code: [0x1B, 0xE2, 0x2C, 0] },
            { tag: "office Win", category: 5, list: "officeList", position: 13, stored: "6,13",
              code: [0, 0xE3, 0x15, 0] },
            { tag: "macro", category: 4, list: "macroList", position: 1, stored: "5,1", code: [1, 0, 0, 0x04] },
        ]
    }
    function test_saveByCategory(data) {
        make({}, ["m0", "m1"])
        clickKey(keyA)
        keyPage.chooseCategory(data.category)
        verify(item(data.list).visible)
        item(data.list).currentIndex = data.position
        var mark = ui_View.calls.length
        mouseClick(item("keySaveButton"))
        var stored = indexOfCall("setDataList keyboardKeyMatrix/9 " + data.stored, mark)
        verify(stored >= 0, "stored pair: " + callsSince(mark).join(" | "))
        verify(indexOfCall("keyboardSetKeyMatrix 504 1", mark) > stored)
        // Input waits while the matrix is sent.
        verify(indexOfCall("setEnabled true", indexOfCall("keyboardSetKeyMatrix 504 1", indexOfCall("setEnabled false", mark))) > 0)
        compare(codeOf(keyA), data.code)
        compare(String(key(keyA).functionDataStr), String(data.position))
        verify(!keyPage.isDefault(keyA))
        compare(ui_View.dataLists["keyboardKeyMatrix/9"].length, 2)
    }

    function test_saveOfAMacroKeySendsItsMacroFirst() {
        make({}, ["m0", "m1", "m2"])
        ui_View.macroInis = { "m2": ["0,B,0,10", "1,B,1,10", 2, 0, 2] }
        clickKey(keyA)
        keyPage.chooseCategory(4)
        item("macroList").currentIndex = 2
        var mark = ui_View.calls.length
        keyPage.save()
        var macroAt = indexOfCall("keyboardSendMacroData 2", mark)
        verify(macroAt >= 0, callsSince(mark).join(" | "))
        verify(indexOfCall("keyboardSetKeyMatrix 504 1", mark) > macroAt)
        compare(codeOf(keyA), [2, 0, 0, 0x04])
    }

    function test_saveMacroWithoutMacrosChangesNothing() {
        make({}, [])
        clickKey(keyA)
        keyPage.chooseCategory(4)
        var mark = ui_View.calls.length
        keyPage.save()
        compare(callsSince(mark), [])
        compare(key(keyA).functionIndex, 2)
    }

    function test_mouseAssignmentKeepsItsPanel() {
        make({ 9: ["1", "0"] })
        clickKey(keyA)
        verify(item("mouseList").visible)
        item("mouseList").currentIndex = 4
        keyPage.save()
        compare(ui_View.count("setDataList keyboardKeyMatrix/9 1,4"), 1)
        compare(codeOf(keyA), [0, 0x10, 0, 0x0B])
    }

    function test_defaultRestoresTheOwnName() {
        make({ 9: ["3", "2"] })
        clickKey(keyA)
        keyPage.chooseCategory(0)
        compare(item("singleKeyField").text, "A")
        compare(item("groupKeyField").text, "")
        verify(item("singleKeyField").visible)
        keyPage.save()
        compare(ui_View.count("setDataList keyboardKeyMatrix/9 2,A"), 1)
        compare(codeOf(keyA), [0x04, 0, 0, 0])
        verify(keyPage.isDefault(keyA))
    }

    // The key model: a position it does not have is refused with a warning
    // and changes nothing; a change of a key, or of all at once, reaches
    // the picture.
    function test_keyModelPositions() {
        make({})
        var data = pages.keyboardData
        var picture = findChild(shell, "keyboard")
        var revision = picture.modelRevision
        ignoreWarning(/key model: setProperty: index 126 out of range/)
        data.setProperty(Matrix.keyCount, "functionIndex", 3)
        ignoreWarning(/key model: set: index -1 out of range/)
        data.set(-1, { led0: 1 })
        compare(picture.modelRevision, revision)
        data.setProperty(keyA, "functionDataStr", "B")
        compare(key(keyA).functionDataStr, "B")
        // A page loading every key tells it once.
        data.setAll(function(i) { return i % 2 ? { led3: 1 } : null })
        compare(picture.modelRevision, revision + 2)
        compare([key(0).led3, key(1).led3, key(125).led3], [0, 1, 1])
    }

    function test_defaultOfFnIsTheSystemFunction() {
        make({ 71: ["2", "A"] })
        verify(!keyPage.isDefault(keyFn))
        clickKey(keyFn)
        keyPage.chooseCategory(0)
        compare(item("singleKeyField").text, "A")   // the Fn key's own name is not put in
        keyPage.save()
        compare(ui_View.count("setDataList keyboardKeyMatrix/71 4,3"), 1)
        compare(codeOf(keyFn), [0, 0xFF, 0x05, 0x07])
        verify(keyPage.isDefault(keyFn))
    }

    function test_singleFieldTakesTheLastKey() {
        make({})
        clickKey(keyA)
        keyPage.chooseCategory(1)
        mouseClick(item("singleKeyField"), 200, 11)
        compare(item("singleKeyField").text, "")
        verify(item("singleKeyField").armed)
        press(0x29)
        press(0x05)
        shell.detectKeyboard(false, 0x06)   // a release alone adds nothing
        compare(item("singleKeyField").text, "B")
        compare(item("groupKeyField").text, "")
        keyPage.save()
        compare(ui_View.count("setDataList keyboardKeyMatrix/9 2,B"), 1)
        compare(codeOf(keyA), [0x05, 0, 0, 0])
    }

    function test_groupFieldTakesTheFirstThreeKeys() {
        make({ 9: ["2", "Q"] })
        clickKey(keyA)
        compare(item("singleKeyField").text, "Q")
        keyPage.chooseCategory(1)
        mouseClick(item("groupKeyField"), 200, 11)
        compare(item("singleKeyField").text, "")   // arming clears both
        press(0xE0)
        press(0xE2)
        press(0x4C)
        press(0x04)
        compare(item("groupKeyField").text, "LCtrl+LAlt+Del")
        keyPage.save()
        compare(ui_View.count("setDataList keyboardKeyMatrix/9 2,LCtrl+LAlt+Del"), 1)
        compare(codeOf(keyA), [0xE0, 0xE2, 0x4C, 0])
        // Shown in the group field when clicked again.
        clickKey(keyEsc)
        clickKey(keyA)
        compare(item("groupKeyField").text, "LCtrl+LAlt+Del")
        compare(item("singleKeyField").text, "")
    }

    function test_keysAreCapturedOnlyWhileTheFieldsShow() {
        make({})
        clickKey(keyA)
        keyPage.chooseCategory(1)
        mouseClick(item("singleKeyField"), 200, 11)
        shell.sidePage = 0
        press(0x05)
        compare(item("singleKeyField").text, "")
        shell.sidePage = 1
        keyPage.chooseCategory(2)
        press(0x05)
        keyPage.chooseCategory(1)
        compare(item("singleKeyField").text, "")
        press(0x06)
        compare(item("singleKeyField").text, "C")
    }

    function test_keyboardWithoutArmedFieldSavesNothing() {
        make({ 9: ["2", "Q"] })
        clickKey(keyA)
        keyPage.chooseCategory(1)
        var mark = ui_View.calls.length
        keyPage.save()
        compare(callsSince(mark), [])
        compare(key(keyA).functionDataStr, "Q")
    }

    function test_saveWithoutSelectedKeyChangesNothing() {
        make({})
        keyPage.chooseCategory(2)
        item("multimediaList").currentIndex = 3
        compare(pages.selectKey, -1)
        var mark = ui_View.calls.length
        mouseClick(item("keySaveButton"))
        compare(callsSince(mark), [])
        for (var i = 0; i < Matrix.keyCount; ++i)
            verify(keyPage.isDefault(i), "key " + i)
    }

    // ---- Advanced functions ----

    function test_advancedSelectAndSave() {
        make({ 9: ["7", "1"] })
        ui_View.globals = { "keyboard/advaceFunction9": "/home/me/Music/old.mp3" }
        clickKey(keyA)
        verify(item("advancedOption0").selected)
        ui_View.vendorPath = "C:\\Tools\\run.exe"
        var mark = ui_View.calls.length
        mouseClick(item("advancedSelect1"))
        compare(ui_View.calls[mark], "getOpenSomeVendorPath Exe file(*.exe)")
        verify(item("advancedOption1").selected)
        verify(!item("advancedOption0").selected)
        compare(item("advancedPanel").chosenPath, "C:\\Tools\\run.exe")
        verify(findChild(item("advancedPanel"), "advancedOption1") !== null)
        mark = ui_View.calls.length
        mouseClick(item("keySaveButton"))
        compare(callsSince(mark)[0], "setGlobalData keyboard/advaceFunction9 C:\\Tools\\run.exe")
        compare(callsSince(mark)[1], "setDataList keyboardKeyMatrix/9 7,2")
        verify(indexOfCall("keyboardSetKeyMatrix 504 1", mark) > mark + 1)
        compare(codeOf(keyA), [0, 0, 0, 0])
        compare(keyPage.assignmentText(keyA), "Run Program")
    }

    function test_advancedFilters_data() {
        return [
            { tag: "music", option: 0, filter: "Music(*.mp3)", mask: "1" },
            { tag: "program", option: 1, filter: "Exe file(*.exe)", mask: "2" },
            { tag: "file", option: 2, filter: "Document(*.txt)", mask: "4" },
            { tag: "folder", option: 3, filter: "", mask: "8" },
        ]
    }
    function test_advancedFilters(data) {
        make({ 9: ["7", "8"] })
        clickKey(keyA)
        ui_View.vendorPath = "/data/target/item"
        mouseClick(item("advancedSelect" + data.option))
        compare(ui_View.count("getOpenSomeVendorPath " + data.filter), 1)
        for (var k = 0; k < 4; ++k)
            compare(item("advancedOption" + k).selected, k === data.option, "option " + k)
        keyPage.save()
        compare(ui_View.count("setDataList keyboardKeyMatrix/9 7," + data.mask), 1)
        compare(ui_View.globals["keyboard/advaceFunction9"], "/data/target/item")
    }

    function test_cancelledChoiceKeepsTheTarget() {
        make({ 9: ["7", "1"] })
        ui_View.globals = { "keyboard/advaceFunction9": "/m/a.mp3" }
        clickKey(keyA)
        ui_View.vendorPath = ""
        mouseClick(item("advancedSelect2"))
        verify(item("advancedOption0").selected)
        compare(item("advancedPanel").chosenPath, "/m/a.mp3")
        // An option without a target is not stored.
        mouseClick(item("advancedOption3"))
        verify(item("advancedOption3").selected)
        var mark = ui_View.calls.length
        keyPage.save()
        compare(callsSince(mark), [])
    }

    // ---- Lists close with the shell's menus ----

    function test_closeMenusClosesTheLists() {
        make({})
        mouseClick(item("categoryList"))
        verify(item("categoryList").opened)
        shell.mainFocus()
        verify(!item("categoryList").opened)
    }

    function test_categoryRowsChooseThePanel() {
        make({})
        clickKey(keyA)
        mouseClick(item("categoryList"))
        tryVerify(function() { var row = findChild(keyPage, "categoryListItem5"); return row && row.height > 0 })
        wait(250)
        mouseClick(findChild(keyPage, "categoryListItem5"))
        tryVerify(function() { return item("officeList").visible }, 1000)
        compare(item("categoryList").currentIndex, 5)
    }

    // ---- Rules ----

    function test_rules() {
        compare([0, 1, 2, 3, 4, 5].map(function(p) { return Assignment.kindOfCategory(p) }), [0, 2, 3, 4, 5, 6])
        compare([0, 1, 2, 3, 4, 5, 6, 7].map(function(k) { return Assignment.categoryOfKind(k) }),
                [0, 0, 1, 2, 3, 4, 5, 0])
        verify(Assignment.isGroup("A+B"))
        verify(!Assignment.isGroup("KPPLUS"))
        compare(Assignment.addToGroup("", "A"), "A")
        compare(Assignment.addToGroup("A+B", "C"), "A+B+C")
        compare(Assignment.addToGroup("A+B+C", "D"), "A+B+C")
        compare(Assignment.fileNameOf("C:/a\\b/c.mp3"), "c.mp3")
        compare(Assignment.fileNameOf("C:\\a/b\\c.exe"), "c.exe")
        compare(Assignment.fileNameOf("plain"), "plain")
        compare(Assignment.parseStored(["3", "4"]), { kind: 3, data: "4" })
        compare(Assignment.parseStored([" 2", "A+B"]), { kind: 2, data: "A+B" })
        compare(Assignment.parseStored([]), null)
        compare(Assignment.parseStored(["2"]), null)
        compare(Assignment.parseStored(["8", "1"]), null)
        compare(Assignment.parseStored(["x", "1"]), null)
        compare(Assignment.parseStored(undefined), null)
        compare(Assignment.parseStored(["2", "A", "B"]), null)
    }
}
