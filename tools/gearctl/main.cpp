// gearctl: calls one slot of the device object ("hid") or the bridge
// ("ui_View") from a shell, in the set-up gearconsole runs with, and prints
// the result as one line of JSON. Bad input is refused with exit code 2
// before anything is set up.
#include "argument_conversion.h"
#include "call_session.h"
#include "command_line.h"
#include "headless_platform.h"
#include "slot_catalog.h"
#include "udev_rules_command.h"

#include "app/render_backend.h"
#include "platform/data_folder.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

constexpr int kBadInput = 2;

int refuse(const QString &message)
{
    std::fprintf(stderr, "gearctl: %s\n", qPrintable(message));
    return kBadInput;
}

void printList()
{
    for (const QString &objectName : SlotCatalog::objectNames()) {
        for (const QMetaMethod &method : SlotCatalog::callableSlots(*SlotCatalog::metaObjectFor(objectName)))
            std::printf("%s\n", qPrintable(SlotCatalog::describe(objectName, method)));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine command = parseCommandLine(words);

    switch (command.mode) {
    case CommandLine::Mode::Invalid:
        std::fprintf(stderr, "gearctl: %s\n\n%s", qPrintable(command.error), qPrintable(usageText()));
        return kBadInput;
    case CommandLine::Mode::Help:
        std::printf("%s", qPrintable(usageText()));
        return 0;
    case CommandLine::Mode::List:
        printList();
        return 0;
    case CommandLine::Mode::UdevRules: {
        QCoreApplication app(argc, argv);
        return printUdevRules(QCoreApplication::applicationDirPath());
    }
    case CommandLine::Mode::Call:
        break;
    }

    QString error;
    const QMetaMethod method =
        SlotCatalog::find(command.object, command.slot, int(command.arguments.size()), &error);
    if (!method.isValid())
        return refuse(error);
    SlotArguments arguments;
    if (!arguments.convert(method, command.arguments, &error))
        return refuse(QStringLiteral("%1.%2: %3").arg(command.object, command.slot, error));
    if (!command.dir.isEmpty() && !QDir(command.dir).exists())
        return refuse(QStringLiteral("no directory %1").arg(command.dir));

    useOffscreenWithoutDisplay();
    chooseSceneGraphBackend();
    // The slot arguments are not Qt's options: the application sees the
    // program name only.
    int applicationArgc = 1;
    QApplication app(applicationArgc, argv);
    const QString dir = command.dir.isEmpty() ? DataFolder::workingFolderFor(QCoreApplication::applicationDirPath())
                                              : command.dir;
    return runSlotCall(dir, command.object, method, arguments);
}
