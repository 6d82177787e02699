#pragma once
#include "argument_conversion.h"

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QVariant>

// The one line gearctl prints for a finished call, without newline:
// {"return":VALUE} or, when the slot has reference or byte-pointer
// parameters, {"return":VALUE,"outputs":{NAME:VALUE,...}} with the outputs
// in parameter order. A void slot returns null.
QByteArray resultLine(const QVariant &returnValue, const QList<SlotArguments::Output> &outputs);

// A slot value as JSON: integers of every width as numbers, byte arrays as
// lowercase hex strings, lists and maps element by element, nothing as null.
QJsonValue jsonFromValue(const QVariant &value);
