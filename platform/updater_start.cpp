#include "updater_start.h"

#include "logging.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

UpdaterStart &UpdaterStart::instance()
{
    static UpdaterStart updaters;
    return updaters;
}

bool UpdaterStart::start(const QString &folder, const QString &tableName, const QString &language)
{
    const QDir dir(QFileInfo(folder).absoluteFilePath());
    QString linuxName = tableName;
    if (linuxName.endsWith(QLatin1String(".exe")))
        linuxName.chop(4);
    QString program;
    for (const QString &name : {linuxName, tableName}) {
        if (QFileInfo(dir.filePath(name)).isFile()) {
            program = dir.filePath(name);
            break;
        }
    }

    QString reason;
    if (program.isEmpty()) {
        reason = QStringLiteral("it is not installed in %1").arg(dir.path());
    } else if (!QFileInfo(program).isExecutable()) {
        reason = QStringLiteral("%1 may not be run").arg(program);
    } else {
        QProcess process;
        process.setProgram(program);
        process.setWorkingDirectory(dir.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("GEARCONSOLE_LANGUAGE"), language);
        process.setProcessEnvironment(environment);
        if (process.startDetached())
            return true;
        reason = QStringLiteral("the system did not start %1").arg(program);
    }
    qCWarning(lcBridge).noquote() << "updater" << tableName << "could not be started:" << reason;
    emit notStarted(linuxName, reason);
    return false;
}
