#include "virtual_state.h"

#include "platform/logging.h"
#include "virtual_backend.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

// One object keyed by device path; a path that two live backends share is
// described by the newer one.
QJsonObject collectState()
{
    QJsonObject devices;
    for (const auto &device : VirtualHidBackend::liveDevices())
        devices.insert(QString::fromLatin1(device->identity().path), device->state());
    return devices;
}

} // namespace

bool writeVirtualStateFromEnvironment()
{
    const QString fileName = qEnvironmentVariable("GEARCONSOLE_VIRTUAL_STATE");
    if (fileName.isEmpty())
        return false;
    const QJsonObject state = collectState();
    if (state.isEmpty()) {
        qCWarning(lcHid) << "virtual state: no virtual devices in place, nothing written to" << fileName;
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcHid) << "virtual state: cannot write" << fileName << "-" << file.errorString();
        return false;
    }
    file.write(QJsonDocument(state).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        qCWarning(lcHid) << "virtual state: cannot write" << fileName << "-" << file.errorString();
        return false;
    }
    return true;
}
