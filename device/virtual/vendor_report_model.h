#pragma once
#include "device_model.h"

#include <QMutex>

// The secondary interface of the lighting accessory: it takes no commands
// and sends short vendor reports on its own, which a test triggers.
class VendorReportModel final : public DeviceModel
{
public:
    static constexpr int kReportLength = 4;

    void commandReport(const QByteArray &) override {}
    void outputReport(const QByteArray &) override {}
    QByteArray answerReport() override { return QByteArray(9, '\0'); }
    QJsonObject state() const override;

    // Queues `report` as the device's next input report, whatever its
    // length, so that tests can send malformed ones too. Safe from any thread.
    void sendVendorReport(const QByteArray &report);
    // The device's own vendor report: 00 value 00 00.
    void sendVendorValue(quint8 value);

    int sentReports() const;
    QByteArray lastReport() const;

private:
    mutable QMutex m_mutex;
    int m_sent = 0;
    QByteArray m_last;
};
