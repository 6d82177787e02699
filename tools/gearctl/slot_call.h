#pragma once
#include <QMetaMethod>
#include <QVariant>

class QObject;
class SlotArguments;

// Calls the slot directly on the object with the converted arguments. The
// return value lands in *returnValue (left invalid for void). False when
// the meta-object system refused the call.
bool callSlot(QObject *object, const QMetaMethod &method, SlotArguments &arguments, QVariant *returnValue);
