#pragma once
#include <QString>
#include <QStringList>

// What the user asked for on the command line, before anything is set up.
struct CommandLine
{
    enum class Mode { Help, List, Call, UdevRules, Invalid };

    Mode mode = Mode::Invalid;
    QString dir;        // empty: the executable's directory
    QString object;     // "hid" or "ui_View", as typed
    QString slot;
    QStringList arguments;  // JSON texts, one per slot parameter
    QString error;      // set when mode is Invalid
};

// Options come before the command word only, so that arguments such as -1
// after OBJECT.SLOT stay JSON values.
CommandLine parseCommandLine(const QStringList &words);

QString usageText();
