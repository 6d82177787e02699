#include "keys/key_matrix.h"

namespace {

// One line per column, rows 0 to 5. Column 1, row 0 and the spaces of the
// bottom row are empty; columns 17 to 20 of row 0 are hot spots without a key.
constexpr const char *kMatrix[kKeyMatrixColumns][kKeyMatrixRows] = {
    {"Esc", "`", "Tab", "Caps", "LShift", "LCtrl"},
    {"", "1", "Q", "A", "|\\", "LWin"},
    {"F1", "2", "W", "S", "Z", "LAlt"},
    {"F2", "3", "E", "D", "X", ""},
    {"F3", "4", "R", "F", "C", ""},
    {"F4", "5", "T", "G", "V", ""},
    {"F5", "6", "Y", "H", "B", "Space"},
    {"F6", "7", "U", "J", "N", ""},
    {"F7", "8", "I", "K", "M", ""},
    {"F8", "9", "O", "L", ",", ""},
    {"F9", "0", "P", ";", ".", "RAlt"},
    {"F10", "-", "[", "'", "/", "Fn"},
    {"F11", "=", "]", "", "", "App"},
    {"F12", "Back", "\\", "Enter", "RShift", "RCtrl"},
    {"Prt", "Ins", "Del", "", "", "\u25C4"},
    {"Scr", "Hom", "End", "", "\u25B2", "\u25BC"},
    {"Pau", "Pgu", "PgD", "", "", "\u25BA"},
    {"", "Num", "KP7", "KP4", "KP1", "KP0"},
    {"", "KPDIV", "KP8", "KP5", "KP2", ""},
    {"", "KPMUL", "KP9", "KP6", "KP3", "KP."},
    {"", "KPSUB", "KPPLUS", "", "KPEnter", ""},
};

} // namespace

QString keyMatrixName(int index)
{
    if (index < 0 || index >= kKeyMatrixSize)
        return {};
    return QString::fromUtf8(kMatrix[index / kKeyMatrixRows][index % kKeyMatrixRows]);
}
