#include "headset_model.h"

#include "state_json.h"

#include <QJsonObject>

const HeadsetModel::ReportRow HeadsetModel::kReports[] = {
    {0x01, &HeadsetModel::start},      // FF 01
    {0x02, &HeadsetModel::stop},       // FF 02 vc sur enc magic AAMute
    {0x03, &HeadsetModel::configure},  // FF 03 mode sizeL sizeM intervalL intervalM
    {0x04, &HeadsetModel::setColours}, // FF 04 indexL indexM r1 g1 b1 .. r4 g4 b4
};

HeadsetModel::HeadsetModel(int reportLength) : CommandDeviceModel(reportLength) {}

QString HeadsetModel::colourKey(quint8 indexL, quint8 indexM)
{
    return QString::number(indexL) + QLatin1Char(':') + QString::number(indexM);
}

bool HeadsetModel::looseOutputReport(const QByteArray &report)
{
    if (report.size() < kReportBytes || quint8(report.at(0)) != kReportId)
        return false;
    for (const ReportRow &row : kReports) {
        if (row.code == quint8(report.at(1))) {
            (this->*row.handle)(report);
            return true;
        }
    }
    return false;
}

void HeadsetModel::start(const QByteArray &) { m_running = true; }

void HeadsetModel::stop(const QByteArray &report)
{
    m_running = false;
    m_audio = {quint8(report.at(2)), quint8(report.at(3)), quint8(report.at(4)), quint8(report.at(5)),
               quint8(report.at(6))};
}

void HeadsetModel::configure(const QByteArray &report)
{
    m_config = {quint8(report.at(2)), quint8(report.at(3)), quint8(report.at(4)), quint8(report.at(5)),
                quint8(report.at(6))};
}

void HeadsetModel::setColours(const QByteArray &report)
{
    m_colours.insert(colourKey(quint8(report.at(2)), quint8(report.at(3))), report.mid(4, 12));
}

void HeadsetModel::describe(QJsonObject &state) const
{
    state.insert(QStringLiteral("running"), m_running ? 1 : 0);
    state.insert(QStringLiteral("audio"), QJsonObject{{QStringLiteral("vc"), m_audio.vc},
                                                      {QStringLiteral("sur"), m_audio.sur},
                                                      {QStringLiteral("enc"), m_audio.enc},
                                                      {QStringLiteral("magic"), m_audio.magic},
                                                      {QStringLiteral("aaMute"), m_audio.aaMute}});
    state.insert(QStringLiteral("config"), QJsonObject{{QStringLiteral("mode"), m_config.mode},
                                                       {QStringLiteral("sizeL"), m_config.sizeL},
                                                       {QStringLiteral("sizeM"), m_config.sizeM},
                                                       {QStringLiteral("intervalL"), m_config.intervalL},
                                                       {QStringLiteral("intervalM"), m_config.intervalM}});
    QJsonObject colours;
    for (auto it = m_colours.begin(); it != m_colours.end(); ++it)
        colours.insert(it.key(), hexValue(it.value()));
    state.insert(QStringLiteral("colours"), colours);
}
