#pragma once
#include <QList>
#include <QMetaMethod>
#include <QString>

// The two objects gearctl addresses, "hid" (Hid_Thread) and "ui_View"
// (myQQuickView), and the slots it may call on them: the public slots and
// invokable methods each class declares itself (inherited QObject, QThread
// and QWidget slots are left out).
namespace SlotCatalog {

QStringList objectNames();

// Null for a name that is neither object.
const QMetaObject *metaObjectFor(const QString &objectName);

QList<QMetaMethod> callableSlots(const QMetaObject &metaObject);

// One line of `gearctl list`, e.g.
// "hid.hid553_00H_GetSecrecyCode(int did, uchar& byte1, ...) -> void".
QString describe(const QString &objectName, const QMetaMethod &method);

// The slot of that name taking that many arguments; on failure an invalid
// method and a message saying what did not fit.
QMetaMethod find(const QString &objectName, const QString &slotName, int argumentCount, QString *error);

} // namespace SlotCatalog
