import QtQuick
import "../J2"
import "../basic"
import "../basic/style.js" as Style
import "keyAssignment.js" as Assignment
import "../basic/strings.js" as Strings

// What the key-setting page shows: the title, the category list, the panel
// of the chosen category and Save. It holds no state of its own; every
// control shows the page's state and hands the user's choices back to it.
Item {
    id: view
    property var page

    width: 809
    height: 255

    function closeMenus() {
        categoryList.closeMenu()
        for (var i = 0; i < panelLists.count; ++i)
            panelLists.itemAt(i).closeMenu()
    }

    PanelBackground { name: "keyBg"; width: 809; height: 250 }

    Text {
        x: 30
        y: 24
        text: {
            var shell = view.page.shell
            if (!shell)
                return ""
            var key = view.page.selectedKey >= 0 ? view.page.model.get(view.page.selectedKey) : null
            return shell.mainLang[18] + (key && key.keyCodeStr !== "" ? ":  " + key.keyCodeStr : "")
        }
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
        model: view.page.categoryTexts
        z: opened ? 100 : 1
        Binding on currentIndex { value: view.page.categoryIndex }
        onCurrentIndexChanged: view.page.categoryIndex = currentIndex
        onValueChange: function(position) { view.page.chooseCategory(position) }
    }

    // Until a key is chosen there is no key's panel, only how to choose one.
    Text {
        objectName: "chooseKeyHint"
        x: 240
        y: 58
        width: 480
        visible: view.page.selectedKey < 0
        wrapMode: Text.WordWrap
        text: view.page.shell ? view.page.shell.prompt(Strings.PROMPT_CHOOSE_KEY) : ""
        color: "#969696"
        font.family: Style.fontFamily
        font.pixelSize: 12
    }

    Item {
        x: 240
        y: 56
        width: 540
        height: 180
        visible: view.page.selectedKey >= 0

        Column {
            visible: view.page.panel === Assignment.panelKeys
            spacing: 18
            KeyPageKeyField {
                objectName: "singleKeyField"
                label: view.page.singleLabel
                text: view.page.singleText
                armed: view.page.armed === "single"
                onArm: view.page.armField("single")
            }
            KeyPageKeyField {
                objectName: "groupKeyField"
                label: view.page.groupLabel
                text: view.page.groupText
                armed: view.page.armed === "group"
                onArm: view.page.armField("group")
            }
        }
        // One list per list panel ("mouseList", "multimediaList", ...), each
        // showing the page's <panel>Texts at its <panel>Index.
        Repeater {
            id: panelLists
            model: view.page.listPanels
            DropDownList {
                required property string modelData
                objectName: modelData + "List"
                width: 220
                model: view.page[modelData + "Texts"]
                visible: view.page.panel === modelData
                Binding on currentIndex { value: view.page[modelData + "Index"] }
                onCurrentIndexChanged: view.page[modelData + "Index"] = currentIndex
            }
        }
        KeyPageAdvanced {
            objectName: "advancedPanel"
            texts: view.page.advancedTexts
            selectText: view.page.selectText
            option: view.page.advancedOption
            paths: view.page.advancedPaths
            visible: view.page.panel === Assignment.panelAdvanced
            onOptionChosen: function(option) { view.page.advancedOption = option }
            onTargetChosen: function(option, path) { view.page.chooseAdvancedTarget(option, path) }
        }
    }

    Button {
        objectName: "keySaveButton"
        area: "keyboard"
        name: "saveBtn"
        x: 749
        y: 195
        hoverText: view.page.saveText
        onBtnClick: view.page.save()
    }
}
