#include "virtual_device.h"

#include "device/scrambling.h"

#include <QDeadlineTimer>
#include <QThread>
#include <cstring>

namespace {
constexpr int kCommandReportLength = 9;
}

VirtualDevice::VirtualDevice(Identity identity, std::unique_ptr<DeviceModel> model, bool isEncode)
    : m_identity(std::move(identity)), m_model(std::move(model)), m_isEncode(isEncode)
{
    m_clock.start();
    m_model->setInputSink([this](const QByteArray &report) { queueInputReport(report); });
}

QJsonObject VirtualDevice::state() const
{
    QMutexLocker lock(&m_mutex);
    return m_model->state();
}

void VirtualDevice::setSecrecyCode(const QByteArray &sixCharacters)
{
    QMutexLocker lock(&m_mutex);
    std::memset(m_secrecyCode, 0, sizeof m_secrecyCode);
    std::memcpy(m_secrecyCode + 1, sixCharacters.constData(), size_t(qMin(6, int(sixCharacters.size()))));
}

void VirtualDevice::setFailOpen(bool fail)
{
    QMutexLocker lock(&m_mutex);
    m_failOpen = fail;
}

bool VirtualDevice::failsOpen() const
{
    QMutexLocker lock(&m_mutex);
    return m_failOpen;
}

void VirtualDevice::setStallCommandReportsMs(int ms)
{
    QMutexLocker lock(&m_mutex);
    m_stallMs = ms;
}

void VirtualDevice::queueInputReport(const QByteArray &report)
{
    QMutexLocker lock(&m_mutex);
    m_inputQueue.append(report);
    m_inputArrived.wakeAll();
}

QList<VirtualDevice::Record> VirtualDevice::records() const
{
    QMutexLocker lock(&m_mutex);
    return m_records;
}

void VirtualDevice::clearRecords()
{
    QMutexLocker lock(&m_mutex);
    m_records.clear();
}

void VirtualDevice::record(Direction direction, const QByteArray &wire, const QByteArray &plain)
{
    m_records.append({direction, wire, plain, m_clock.elapsed()});
}

int VirtualDevice::featureOut(const uint8_t *data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    if (m_stallMs > 0) {
        const int stall = m_stallMs;
        lock.unlock();
        QThread::msleep(stall);
        return -1;
    }
    const QByteArray wire(reinterpret_cast<const char *>(data), qsizetype(length));
    QByteArray plain = wire.leftJustified(kCommandReportLength, '\0', true);
    if (m_isEncode)
        Scrambling::decipher(reinterpret_cast<uint8_t *>(plain.data()) + 1, m_secrecyCode);
    record(Direction::FeatureOut, wire, plain);
    m_model->commandReport(plain);
    for (const QByteArray &report : m_model->takeInputReports())
        m_inputQueue.append(report);
    if (!m_inputQueue.isEmpty())
        m_inputArrived.wakeAll();
    return int(length);
}

int VirtualDevice::featureIn(uint8_t *data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    const QByteArray plain = m_model->answerReport().leftJustified(kCommandReportLength, '\0', true);
    QByteArray wire = plain;
    if (m_isEncode)
        Scrambling::encrypt(reinterpret_cast<uint8_t *>(wire.data()) + 1, m_secrecyCode);
    const size_t count = qMin(length, size_t(wire.size()));
    std::memcpy(data, wire.constData(), count);
    record(Direction::FeatureIn, wire.left(qsizetype(count)), plain.left(qsizetype(count)));
    return int(count);
}

int VirtualDevice::output(const uint8_t *data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    const QByteArray wire(reinterpret_cast<const char *>(data), qsizetype(length));
    record(Direction::Output, wire, wire);
    m_model->outputReport(wire);
    return int(length);
}

int VirtualDevice::input(uint8_t *data, size_t length, int timeoutMs)
{
    QMutexLocker lock(&m_mutex);
    const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs));
    while (m_inputQueue.isEmpty()) {
        if (!m_inputArrived.wait(&m_mutex, deadline))
            return 0;
    }
    const QByteArray report = m_inputQueue.takeFirst();
    const size_t count = qMin(length, size_t(report.size()));
    std::memcpy(data, report.constData(), count);
    record(Direction::Input, report.left(qsizetype(count)), report.left(qsizetype(count)));
    return int(count);
}
