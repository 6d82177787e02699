#include "gearctl_process.h"

#include "support/wire_trace.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcessEnvironment>
#include <QTextStream>

namespace {
constexpr int kRunTimeoutMs = 60000;
}

QJsonObject GearctlResult::json() const
{
    const QList<QByteArray> lines = out.trimmed().split('\n');
    if (lines.size() != 1 || !out.endsWith('\n'))
        return {};
    return QJsonDocument::fromJson(lines.first()).object();
}

GearctlProcess::GearctlProcess(const QString &workspace, const QString &virtualDevices)
    : m_workspace(workspace), m_virtualDevices(virtualDevices)
{
    QFile::remove(traceFile());
}

GearctlResult GearctlProcess::run(const QStringList &arguments) const
{
    return runBare(QStringList{QStringLiteral("--dir"), m_workspace} + arguments);
}

GearctlResult GearctlProcess::runBare(const QStringList &arguments) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("GEARCONSOLE_VIRTUAL_DEVICES"), m_virtualDevices);
    environment.insert(QStringLiteral("GEARCONSOLE_HID_TRACE"), traceFile());
    environment.remove(QStringLiteral("GEARCONSOLE_VIRTUAL_STATE"));
    for (const auto &[name, value] : m_extra)
        environment.insert(name, value);

    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(GEARCONSOLE_BINARY_DIR "/gearctl"), arguments);
    GearctlResult result;
    result.finished = process.waitForFinished(kRunTimeoutMs);
    if (!result.finished)
        process.kill();
    result.status = process.exitStatus();
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

bool GearctlProcess::traceExists() const { return QFile::exists(traceFile()); }

QList<TraceLine> GearctlProcess::trace(const QString &op) const
{
    QList<TraceLine> lines;
    QFile file(traceFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const TraceLine line = WireTrace::parse(in.readLine());
        if (line.op == op)
            lines.append(line);
    }
    return lines;
}
