// Macro action lines ("type,key,action,delay") and the steps the UI hands
// over, through to the keyboard's and the mouse's macro images. The first
// line is the play count; each further line is an action line, or a JSON
// object {key, action, delay} as the editor passes it. Whatever comes in,
// the images must fit their slots and hold bytes only.
#include "fuzz_support.h"
#include "macros/encoding/action_line.h"
#include "macros/encoding/keyboard_macro_image.h"
#include "macros/encoding/mouse_macro_image.h"
#include "macros/encoding/ui_steps.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
void checkImage(const QList<int> &image, int slotSize)
{
    if (image.size() > slotSize)
        __builtin_trap();
    for (const int byte : image) {
        if (byte < 0 || byte > 0xFF)
            __builtin_trap();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzz::linesOf(fuzz::bytesOf(data, size));
    const QVariant count = lines.value(0);

    QVariantList entries;
    for (const QString &line : lines.mid(1)) {
        if (line.startsWith(QLatin1Char('{'))) {
            entries.append(QJsonDocument::fromJson(line.toUtf8()).object().toVariantMap());
            continue;
        }
        if (const std::optional<ActionLine> step = parseActionLine(line)) {
            if (step->delayMs < 0)
                __builtin_trap();
        }
        entries.append(line);
    }

    const MacroSteps steps = stepsFromUi(entries);
    for (const MacroStep &step : steps) {
        if (step.delayMs < 0)
            __builtin_trap();
    }
    checkImage(keyboardMacroImage(steps, integerFromUi(count)), KeyboardMacroImage::kSize);
    checkImage(mouseMacroImage(steps, integerFromUi(count)), MouseMacroImage::kSize);
    return 0;
}
