#include "key_legends.h"

#include "keys/key_matrix.h"

#include <cstring>

namespace art {
namespace {

struct Printed
{
    const char *matrixName;
    const char *legend;
};

// Matrix names printed otherwise on the caps; every other name (letters,
// digits, punctuation, F-keys, arrows, Esc, Tab, Enter, Fn …) is printed as
// the matrix has it.
constexpr Printed kPrinted[] = {
    {"Back", "Backspace"}, {"Caps", "Caps Lock"},
    {"LShift", "Shift"}, {"RShift", "Shift"}, {"LCtrl", "Ctrl"}, {"RCtrl", "Ctrl"},
    {"LAlt", "Alt"}, {"RAlt", "Alt"}, {"LWin", "Win"}, {"App", "Menu"},
    {"Prt", "Prt Sc"}, {"Scr", "Scr Lk"}, {"Pau", "Pause"},
    {"Hom", "Home"}, {"Pgu", "PgUp"}, {"PgD", "PgDn"}, {"Num", "Num Lk"},
    {"|\\", "\\"},
    {"KPDIV", "/"}, {"KPMUL", "*"}, {"KPSUB", "-"}, {"KPPLUS", "+"}, {"KPEnter", "Enter"},
    {"KP0", "0"}, {"KP1", "1"}, {"KP2", "2"}, {"KP3", "3"}, {"KP4", "4"},
    {"KP5", "5"}, {"KP6", "6"}, {"KP7", "7"}, {"KP8", "8"}, {"KP9", "9"}, {"KP.", "."},
};

struct UkCap
{
    int index;
    const char *legend;
};

// Where a UK edition's cap reads otherwise than the matrix name: the key left
// of the tall Enter reports the US backslash's position but carries "#", and
// the right Alt is AltGr.
constexpr UkCap kUkCaps[] = {
    {6 * 13 + 2, "#"},
    {6 * 10 + 5, "AltGr"},
};

} // namespace

QString keyLegend(int index, bool uk)
{
    const QString name = keyMatrixName(index);
    if (name.isEmpty())
        return {};
    if (uk)
        for (const UkCap &cap : kUkCaps)
            if (cap.index == index)
                return QString::fromUtf8(cap.legend);
    const QByteArray utf8 = name.toUtf8();
    for (const Printed &printed : kPrinted)
        if (std::strcmp(printed.matrixName, utf8.constData()) == 0)
            return QString::fromUtf8(printed.legend);
    return name;
}

} // namespace art
