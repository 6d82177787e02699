#include "device_model.h"

namespace {
constexpr char kSecrecyProbe = 0x00;
}

quint8 commandChecksum(const QByteArray &report)
{
    quint8 sum = 0;
    for (int i = 1; i <= 7 && i < report.size(); ++i)
        sum = quint8(sum + quint8(report[i]));
    return quint8(~sum);
}

void EchoModel::commandReport(const QByteArray &report) // always 9 bytes
{
    m_lastCommand = report;
    m_data.clear();
    m_answer = QByteArray(9, '\0');
    m_answer[1] = report.at(1);
    // A report that was scrambled with another code arrives as noise; a
    // device ignores it, so the probe only echoes a report that checks out.
    if (report.at(1) == kSecrecyProbe && quint8(report.at(8)) == commandChecksum(report)) {
        for (int i = 2; i <= 5; ++i)
            m_answer[i] = report[i];
    }
}

void EchoModel::outputReport(const QByteArray &report) { m_data += report.mid(1); }

QByteArray EchoModel::answerReport() { return m_answer; }

QJsonObject EchoModel::state() const
{
    return {{QStringLiteral("kind"), QStringLiteral("echo")},
            {QStringLiteral("lastCommand"), QString::fromLatin1(m_lastCommand.toHex())},
            {QStringLiteral("receivedData"), QString::fromLatin1(m_data.toHex())}};
}
