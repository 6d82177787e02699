#include "report_feed.h"

#include "device/virtual/device_model.h"

#include <QJsonArray>
#include <QStringList>

QByteArray checked(const char *hexBytes1to7)
{
    const QByteArray body = QByteArray::fromHex(hexBytes1to7);
    Q_ASSERT(body.size() == 7);
    int sum = 0;
    for (char byte : body)
        sum += quint8(byte);
    return QByteArray(1, '\0') + body + char(0xFF - sum % 256);
}

QByteArray unchecked(const char *hexBytes1to8)
{
    const QByteArray body = QByteArray::fromHex(hexBytes1to8);
    Q_ASSERT(body.size() == 8);
    return QByteArray(1, '\0') + body;
}

QByteArray pattern(int length, int seed)
{
    QByteArray block(length, '\0');
    for (int i = 0; i < length; ++i)
        block[i] = char((seed + 7 * i) % 256);
    return block;
}

QList<QByteArray> outputReports(const QByteArray &block, int reportLength)
{
    QList<QByteArray> reports;
    for (int offset = 0; offset < block.size(); offset += reportLength)
        reports.append(QByteArray(1, '\0') + block.mid(offset, reportLength).leftJustified(reportLength, '\0'));
    return reports;
}

void feed(DeviceModel &model, const QByteArray &report, const QByteArray &block, int reportLength)
{
    model.commandReport(report);
    for (const QByteArray &output : outputReports(block, reportLength))
        model.outputReport(output);
}

QJsonValue stateAt(const QJsonObject &state, const QString &path)
{
    QJsonValue value = state;
    for (const QString &step : path.split(QLatin1Char('/'))) {
        bool isIndex = false;
        const int index = step.toInt(&isIndex);
        value = isIndex && value.isArray() ? value.toArray().at(index) : value.toObject().value(step);
    }
    return value;
}

QJsonValue hex(const QByteArray &bytes) { return QString::fromLatin1(bytes.toHex()); }
