#include "slot_catalog.h"

#include "bridge/myqquickview.h"
#include "device/hid_thread.h"

namespace SlotCatalog {

QStringList objectNames() { return {QStringLiteral("hid"), QStringLiteral("ui_View")}; }

const QMetaObject *metaObjectFor(const QString &objectName)
{
    if (objectName == QLatin1String("hid"))
        return &Hid_Thread::staticMetaObject;
    if (objectName == QLatin1String("ui_View"))
        return &myQQuickView::staticMetaObject;
    return nullptr;
}

QList<QMetaMethod> callableSlots(const QMetaObject &metaObject)
{
    QList<QMetaMethod> methods;
    for (int i = metaObject.methodOffset(); i < metaObject.methodCount(); ++i) {
        const QMetaMethod method = metaObject.method(i);
        const bool callable = method.methodType() == QMetaMethod::Slot || method.methodType() == QMetaMethod::Method;
        if (callable && method.access() == QMetaMethod::Public)
            methods.append(method);
    }
    return methods;
}

QString describe(const QString &objectName, const QMetaMethod &method)
{
    const QList<QByteArray> types = method.parameterTypes();
    const QList<QByteArray> names = method.parameterNames();
    QStringList parameters;
    for (int i = 0; i < types.size(); ++i) {
        QString parameter = QString::fromLatin1(types[i]);
        if (!names.value(i).isEmpty())
            parameter += QLatin1Char(' ') + QString::fromLatin1(names[i]);
        parameters.append(parameter);
    }
    return QStringLiteral("%1.%2(%3) -> %4")
        .arg(objectName, QString::fromLatin1(method.name()), parameters.join(QStringLiteral(", ")),
             QString::fromLatin1(method.typeName()));
}

QMetaMethod find(const QString &objectName, const QString &slotName, int argumentCount, QString *error)
{
    const QMetaObject *metaObject = metaObjectFor(objectName);
    if (!metaObject) {
        *error = QStringLiteral("unknown object \"%1\" (objects: %2)")
                     .arg(objectName, objectNames().join(QStringLiteral(", ")));
        return {};
    }
    QStringList counts;
    for (const QMetaMethod &method : callableSlots(*metaObject)) {
        if (QString::fromLatin1(method.name()) != slotName)
            continue;
        if (method.parameterCount() == argumentCount)
            return method;
        counts.append(QString::number(method.parameterCount()));
    }
    if (counts.isEmpty())
        *error = QStringLiteral("%1 has no slot \"%2\" (gearctl list shows them)").arg(objectName, slotName);
    else
        *error = QStringLiteral("%1.%2 takes %3 argument(s), %4 given")
                     .arg(objectName, slotName, counts.join(QStringLiteral(" or ")))
                     .arg(argumentCount);
    return {};
}

} // namespace SlotCatalog
