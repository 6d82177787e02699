#pragma once
#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

struct TraceLine;

// One run of the built gearctl against a scratch working directory, with
// virtual devices in place of hardware and the wire trace in that directory.
struct GearctlResult
{
    bool finished = false;
    QProcess::ExitStatus status = QProcess::CrashExit;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    // The stdout line as a JSON object; empty unless stdout is exactly one
    // line holding one object.
    QJsonObject json() const;
};

class GearctlProcess
{
public:
    // virtualDevices: the value of GEARCONSOLE_VIRTUAL_DEVICES ("" = none).
    GearctlProcess(const QString &workspace, const QString &virtualDevices);

    void setEnvironment(const QString &name, const QString &value) { m_extra.append({name, value}); }
    // Runs `gearctl --dir <workspace> <arguments>`.
    GearctlResult run(const QStringList &arguments) const;
    // Runs gearctl with exactly these arguments, no --dir.
    GearctlResult runBare(const QStringList &arguments) const;

    QString traceFile() const { return m_workspace + QStringLiteral("/gearctl.trace"); }
    bool traceExists() const;
    QList<TraceLine> trace(const QString &op) const;

private:
    QString m_workspace;
    QString m_virtualDevices;
    QList<QPair<QString, QString>> m_extra;
};
