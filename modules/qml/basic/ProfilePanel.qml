import QtQuick
import "../J2"
import "strings.js" as Strings

// The profile list with its name field and the import / export / new /
// delete buttons; the rules live in the shell's profile functions.
Item {
    id: panel
    objectName: "profilePanel"
    property var shell
    property alias nameField: name
    width: 191
    height: 330

    // The field follows the selected profile; typing breaks no rule until
    // the write button is released.
    Connections {
        target: panel.shell
        function onProfileNoChanged() { name.text = panel.shell.currentProfileName() }
        function onProfileItemsChanged() { name.text = panel.shell.currentProfileName() }
        function onCloseMenus() { name.focus = false }
    }
    Component.onCompleted: name.text = panel.shell.currentProfileName()

    Text {
        x: 20
        text: shell.mainLang[4]
        color: shell.colorGray3
        font.family: shell.fontFamily
        font.pixelSize: shell.fontSizeNormal
        height: 21
        verticalAlignment: Text.AlignVCenter
    }
    Rectangle {
        x: 20
        y: 26
        width: 130
        height: 21
        color: shell.colorGray0
        border.color: name.activeFocus ? shell.colorOrange : shell.colorGray1
        TextInput {
            id: name
            anchors.fill: parent
            anchors.leftMargin: 4
            anchors.rightMargin: 4
            verticalAlignment: TextInput.AlignVCenter
            clip: true
            maximumLength: 16
            color: shell.textColor
            font.family: shell.fontFamily
            font.pixelSize: shell.fontSizeNormal
            selectByMouse: true
        }
    }
    Button {
        x: 154
        y: 26
        objectName: "writeBtn"
        area: "keyboard"
        name: "writeBtn"
        hoverText: shell.mainLang[5]
        onBtnClick: if (!shell.renameProfile(name.text)) name.text = shell.currentProfileName()
    }

    Column {
        x: 20
        y: 56
        spacing: 2
        Repeater {
            model: shell.profileItems
            Rectangle {
                objectName: "profileItem" + index
                width: 151
                height: 26
                radius: 2
                readonly property bool current: modelData.number === shell.profileNo
                color: current ? shell.colorBlue : row.containsMouse ? shell.colorGray1 : "transparent"
                border.color: current ? shell.colorOrange : shell.colorGray1
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - 20
                    elide: Text.ElideRight
                    text: modelData.name
                    color: parent.current || row.containsMouse ? shell.colorOrange : shell.textColor
                    font.family: shell.fontFamily
                    font.pixelSize: shell.fontSizeNormal
                }
                MouseArea {
                    id: row
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: shell.chooseProfile(index)
                }
            }
        }
    }

    Row {
        x: 20
        y: 56 + 6 * 28 + 10
        spacing: 9
        Button { objectName: "importBtn"; area: "keyboard"; name: "importBtn"; hoverText: shell.mainLang[0]; onBtnClick: shell.importProfile() }
        Button { objectName: "outputBtn"; area: "keyboard"; name: "outputBtn"; hoverText: shell.mainLang[1]; onBtnClick: shell.exportProfile() }
        Button {
            objectName: "newBtn"; area: "keyboard"; name: "newBtn"; hoverText: shell.mainLang[2]
            onBtnClick: if (!shell.newProfile()) limitNotice.show(shell.prompt(Strings.PROMPT_SIX_PROFILES))
        }
        Button { objectName: "deleteBtn"; area: "keyboard"; name: "deleteBtn"; hoverText: shell.mainLang[3]; onBtnClick: shell.deleteProfile() }
    }

    Notice {
        id: limitNotice
        objectName: "profileLimitNotice"
        x: 20
        y: 56 + 6 * 28 + 10 + 34
        width: 151
    }
}
