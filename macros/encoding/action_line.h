#pragma once
#include <QString>
#include <QtGlobal>

#include <optional>

// An action line as the macro files store it: "type,key,action,delay".
struct ActionLine
{
    QString key;          // display name of the key
    bool release = false; // action 1
    qint64 delayMs = 0;
};

// Reads a line the way the macro editor does: the key runs from the third
// character up to the next comma, the action is the character after that
// comma and the delay starts two characters further on. The comma key, stored
// as "t,,,a,d", is read as the key ",". A line without the comma after its key
// is not a step (nullopt). A delay that is not a number, or is negative,
// reads as 0.
std::optional<ActionLine> parseActionLine(const QString &line);

// The leading decimal integer of a text, as the UI's integer parsing reads it
// ("12ms" is 12, " -3" is -3); 0 when the text does not start with one.
qint64 leadingInteger(QStringView text);
