#include "vendor_report_model.h"

#include "state_json.h"

#include <QJsonObject>

void VendorReportModel::sendVendorReport(const QByteArray &report)
{
    {
        QMutexLocker lock(&m_mutex);
        ++m_sent;
        m_last = report;
    }
    sendInputReport(report);
}

void VendorReportModel::sendVendorValue(quint8 value)
{
    QByteArray report(kReportLength, '\0');
    report[1] = char(value);
    sendVendorReport(report);
}

int VendorReportModel::sentReports() const
{
    QMutexLocker lock(&m_mutex);
    return m_sent;
}

QByteArray VendorReportModel::lastReport() const
{
    QMutexLocker lock(&m_mutex);
    return m_last;
}

QJsonObject VendorReportModel::state() const
{
    QMutexLocker lock(&m_mutex);
    return {{QStringLiteral("kind"), QStringLiteral("vendorReports")},
            {QStringLiteral("sentReports"), m_sent},
            {QStringLiteral("lastReport"), hexValue(m_last)}};
}
