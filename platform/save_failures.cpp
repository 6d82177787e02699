#include "save_failures.h"

#include "logging.h"

#include <QMetaMethod>

#include <utility>

SaveFailures &SaveFailures::instance()
{
    static SaveFailures failures;
    return failures;
}

void SaveFailures::report(const QString &file, const QString &reason)
{
    qCWarning(lcPlatform).noquote() << "not saved:" << file << "-" << reason << "- it keeps its last saved contents";
    emit failed(file, reason);
}

void SaveFailures::reportPutAside(const QString &file, const QString &aside, const QString &reason)
{
    {
        QMutexLocker locker(&m_lock);
        if (!isSignalConnected(QMetaMethod::fromSignal(&SaveFailures::putAside))) {
            m_unseenPutAside.append({file, aside, reason});
            return;
        }
    }
    emit putAside(file, aside, reason);
}

void SaveFailures::reportNotImported(const QString &file, const QString &reason)
{
    qCWarning(lcPlatform).noquote() << "not imported:" << file << "-" << reason << "- nothing was changed";
    emit notImported(file, reason);
}

QList<SaveFailures::PutAside> SaveFailures::takeUnseenPutAside()
{
    QMutexLocker locker(&m_lock);
    return std::exchange(m_unseenPutAside, {});
}
