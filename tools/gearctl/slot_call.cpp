#include "slot_call.h"

#include "argument_conversion.h"

#include <QByteArrayList>
#include <QObject>
#include <QVarLengthArray>

namespace {
constexpr int kInvokeArgumentLimit = 10;
}

bool callSlot(QObject *object, const QMetaMethod &method, SlotArguments &arguments, QVariant *returnValue)
{
    void *returnAddress = nullptr;
    if (method.returnMetaType().id() == QMetaType::QVariant) {
        returnAddress = returnValue;
    } else if (method.returnMetaType().id() != QMetaType::Void) {
        *returnValue = QVariant(method.returnMetaType());
        returnAddress = returnValue->data();
    }

    if (arguments.count() <= kInvokeArgumentLimit) {
        QByteArrayList typeNames;
        QGenericArgument given[kInvokeArgumentLimit];
        for (int i = 0; i < arguments.count(); ++i) {
            typeNames.append(arguments.typeName(i));
            given[i] = QGenericArgument(typeNames.last().constData(), arguments.address(i));
        }
        const QGenericReturnArgument returned =
            returnAddress ? QGenericReturnArgument(method.typeName(), returnAddress) : QGenericReturnArgument();
        return method.invoke(object, Qt::DirectConnection, returned, given[0], given[1], given[2], given[3],
                             given[4], given[5], given[6], given[7], given[8], given[9]);
    }

    // QMetaMethod::invoke of Qt 6.4 takes at most ten arguments (the headset
    // colour report has fourteen); the meta-call beneath it takes any number.
    QVarLengthArray<void *, 16> slotArguments;
    slotArguments.append(returnAddress);
    for (int i = 0; i < arguments.count(); ++i)
        slotArguments.append(arguments.address(i));
    return QMetaObject::metacall(object, QMetaObject::InvokeMetaMethod, method.methodIndex(), slotArguments.data()) < 0;
}
