#pragma once
#include "command_device_model.h"

#include <QMap>

// The headset takes 16-byte output reports with report ID FF instead of
// command reports: start and stop of its lighting (the stop report carries
// the audio settings), the lighting configuration and groups of four colours.
class HeadsetModel final : public CommandDeviceModel
{
public:
    static constexpr int kReportBytes = 16;
    static constexpr quint8 kReportId = 0xFF;

    struct AudioSettings
    {
        quint8 vc = 0, sur = 0, enc = 0, magic = 0, aaMute = 0;
    };
    struct LightConfig
    {
        quint8 mode = 0, sizeL = 0, sizeM = 0, intervalL = 0, intervalM = 0;
    };

    explicit HeadsetModel(int reportLength);

    bool running() const { return m_running; }
    AudioSettings audio() const { return m_audio; }
    LightConfig config() const { return m_config; }
    // Four colours (red, green, blue each) of the group (indexL, indexM).
    QByteArray colours(quint8 indexL, quint8 indexM) const { return m_colours.value(colourKey(indexL, indexM)); }

protected:
    QString kind() const override { return QStringLiteral("headset"); }
    void describe(QJsonObject &state) const override;
    bool looseOutputReport(const QByteArray &report) override;

private:
    struct ReportRow
    {
        quint8 code;  // byte 1
        void (HeadsetModel::*handle)(const QByteArray &report);
    };
    static const ReportRow kReports[];
    static QString colourKey(quint8 indexL, quint8 indexM);

    void start(const QByteArray &report);
    void stop(const QByteArray &report);
    void configure(const QByteArray &report);
    void setColours(const QByteArray &report);

    bool m_running = false;
    AudioSettings m_audio;
    LightConfig m_config;
    QMap<QString, QByteArray> m_colours;
};
