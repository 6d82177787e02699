#include "command_line.h"

namespace {

CommandLine invalid(const QString &message)
{
    CommandLine line;
    line.error = message;
    return line;
}

} // namespace

CommandLine parseCommandLine(const QStringList &words)
{
    CommandLine line;
    int at = 0;
    for (; at < words.size() && words[at].startsWith(QLatin1Char('-')); ++at) {
        const QString &option = words[at];
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            line.mode = CommandLine::Mode::Help;
            return line;
        }
        if (option == QLatin1String("--dir")) {
            if (++at == words.size())
                return invalid(QStringLiteral("--dir needs a directory"));
            line.dir = words[at];
        } else if (option.startsWith(QLatin1String("--dir="))) {
            line.dir = option.mid(6);
        } else {
            return invalid(QStringLiteral("unknown option \"%1\"").arg(option));
        }
        if (line.dir.isEmpty())
            return invalid(QStringLiteral("--dir needs a directory"));
    }

    if (at == words.size())
        return invalid(QStringLiteral("no command given"));
    const QString command = words[at++];

    if (command == QLatin1String("help")) {
        line.mode = CommandLine::Mode::Help;
        return line;
    }
    if (command == QLatin1String("list")) {
        if (at != words.size())
            return invalid(QStringLiteral("list takes no arguments"));
        line.mode = CommandLine::Mode::List;
        return line;
    }
    if (command == QLatin1String("udev-rules")) {
        if (at != words.size())
            return invalid(QStringLiteral("udev-rules takes no arguments"));
        line.mode = CommandLine::Mode::UdevRules;
        return line;
    }
    if (command != QLatin1String("call"))
        return invalid(QStringLiteral("unknown command \"%1\"").arg(command));

    if (at == words.size())
        return invalid(QStringLiteral("call needs OBJECT.SLOT"));
    const QString target = words[at++];
    const int dot = target.indexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == target.size() - 1)
        return invalid(QStringLiteral("\"%1\" is not OBJECT.SLOT").arg(target));
    line.object = target.left(dot);
    line.slot = target.mid(dot + 1);
    line.arguments = words.mid(at);
    line.mode = CommandLine::Mode::Call;
    return line;
}

QString usageText()
{
    return QStringLiteral(
        "usage: gearctl [--dir DIR] call OBJECT.SLOT [ARG...]\n"
        "       gearctl list\n"
        "       gearctl udev-rules\n"
        "       gearctl --help\n"
        "\n"
        "Sets up the program as gearconsole does (working directory DIR, default\n"
        "the executable's directory; device table, stores, one detection pass),\n"
        "calls one slot and prints its result as one line of JSON on stdout:\n"
        "  {\"return\":VALUE}  or  {\"return\":VALUE,\"outputs\":{NAME:VALUE,...}}\n"
        "\n"
        "OBJECT   hid (the device object) or ui_View (the bridge)\n"
        "ARG      one JSON value per parameter: numbers, \"strings\" (quoted),\n"
        "         true/false, [arrays] for lists, any JSON for QVariant;\n"
        "         uchar* takes an array of bytes or a hex string (\"0a0b\"),\n"
        "         zero-filled to at least 512 bytes; uchar& takes its incoming value\n"
        "outputs  uchar& and other reference parameters after the call; uchar*\n"
        "         buffers as a lowercase hex string of as many bytes as were given\n"
        "\n"
        "list     prints every slot that call accepts, with its parameter types\n"
        "udev-rules  prints the device access rules for this copy of the program\n"
        "         (as root: save as /etc/udev/rules.d/70-gearconsole.rules)\n"
        "\n"
        "Bad input exits with 2 before anything is set up. Log lines go to stderr.\n"
        "GEARCONSOLE_VIRTUAL_DEVICES, GEARCONSOLE_HID_TRACE and\n"
        "GEARCONSOLE_VIRTUAL_STATE work as for gearconsole.\n");
}
