import QtQuick
import "../J2"
import "../basic/style.js" as Style
import "keyAssignment.js" as Assignment

// The advanced functions of a key (play music, run program, open file, open
// folder): four exclusive options, each with a "Select" button that asks
// for its target. It shows the option and paths it is given and reports
// the user's choices; the page keeps them and stores the chosen path on Save.
Item {
    id: panel
    property var texts: ["", "", "", ""]
    property string selectText: ""
    property int option: -1                   // chosen option, -1 for none
    property var paths: ["", "", "", ""]      // full path per option
    readonly property string chosenPath: option < 0 ? "" : paths[option]
    signal optionChosen(int option)
    signal targetChosen(int option, string path)

    width: 540
    height: 4 * 36

    function select(k) {
        var path = String(ui_View.getOpenSomeVendorPath(Assignment.advancedFilters[k]) || "")
        if (path === "") {
            console.info("no target chosen for", texts[k], "- the advanced assignment stays as it was")
            return
        }
        targetChosen(k, path)
    }

    Repeater {
        model: 4
        Item {
            y: index * 36
            width: panel.width
            height: 22
            CheckBox {
                objectName: "advancedOption" + index
                anchors.verticalCenter: parent.verticalCenter
                text: panel.texts[index]
                selected: panel.option === index
                // The box toggles itself on a click; the options stay exclusive.
                onBtnClick: {
                    panel.optionChosen(index)
                    selected = Qt.binding(function() { return panel.option === index })
                }
            }
            Rectangle {
                x: 150
                width: 254
                height: 22
                color: "#1a1a1a"
                border.color: "#3c3c3c"
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    x: 6
                    width: parent.width - 12
                    elide: Text.ElideMiddle
                    text: Assignment.fileNameOf(panel.paths[index])
                    color: "#ffffff"
                    font.family: Style.fontFamily
                    font.pixelSize: 12
                }
            }
            Rectangle {
                objectName: "advancedSelect" + index
                x: 414
                width: 80
                height: 22
                radius: 2
                color: selectMouse.pressed ? "#ea5413" : "#09347f"
                border.color: selectMouse.containsMouse ? "#ea5413" : "#09347f"
                Text {
                    anchors.centerIn: parent
                    text: panel.selectText
                    color: "#ffffff"
                    font.family: Style.fontFamily
                    font.pixelSize: 12
                }
                MouseArea {
                    id: selectMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: panel.select(index)
                }
            }
        }
    }
}
