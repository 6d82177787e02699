#include "save_failures.h"

#include "logging.h"

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
