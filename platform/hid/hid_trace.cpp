#include "hid_trace.h"

#include "platform/logging.h"

HidTrace::HidTrace(const QString &fileName) : m_file(fileName)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        qCWarning(lcHid) << "cannot open the wire trace" << fileName << m_file.errorString();
    m_clock.start();
}

void HidTrace::line(const QByteArray &text)
{
    QMutexLocker lock(&m_mutex);
    if (!m_file.isOpen())
        return;
    m_file.write(QByteArray::number(m_clock.elapsed()) + ' ' + text + '\n');
    m_file.flush();
}

QByteArray HidTrace::hexBytes(const uint8_t *data, size_t length)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(length)).toHex(' ');
}

namespace {

QByteArray hex4(quint16 value) { return QByteArray::number(value, 16).rightJustified(4, '0'); }

class TracedHidDevice final : public HidDevice
{
public:
    TracedHidDevice(std::unique_ptr<HidDevice> inner, std::shared_ptr<HidTrace> trace)
        : m_inner(std::move(inner)), m_trace(std::move(trace)), m_path(m_inner->path())
    {
    }
    ~TracedHidDevice() override
    {
        m_inner.reset();
        m_trace->line("CLOSE " + m_path);
    }

    QByteArray path() const override { return m_path; }
    int setNonBlocking(bool nonBlocking) override { return m_inner->setNonBlocking(nonBlocking); }

    int sendFeatureReport(const uint8_t *data, size_t length) override
    {
        m_trace->line("FEATURE_OUT " + m_path + ' ' + HidTrace::hexBytes(data, length));
        return m_inner->sendFeatureReport(data, length);
    }
    int getFeatureReport(uint8_t *data, size_t length) override
    {
        const int got = m_inner->getFeatureReport(data, length);
        m_trace->line("FEATURE_IN " + m_path + ' ' + (got < 0 ? QByteArray("error") : HidTrace::hexBytes(data, size_t(got))));
        return got;
    }
    int write(const uint8_t *data, size_t length) override
    {
        m_trace->line("OUTPUT " + m_path + ' ' + HidTrace::hexBytes(data, length));
        return m_inner->write(data, length);
    }
    int readTimeout(uint8_t *data, size_t length, int timeoutMs) override
    {
        const int got = m_inner->readTimeout(data, length, timeoutMs);
        QByteArray result = got < 0 ? QByteArray("error") : got == 0 ? QByteArray("timeout") : HidTrace::hexBytes(data, size_t(got));
        m_trace->line("INPUT " + m_path + ' ' + result);
        return got;
    }

private:
    std::unique_ptr<HidDevice> m_inner;
    std::shared_ptr<HidTrace> m_trace;
    QByteArray m_path;
};

} // namespace

TracedHidBackend::TracedHidBackend(std::unique_ptr<HidBackend> inner, std::shared_ptr<HidTrace> trace)
    : m_inner(std::move(inner)), m_trace(std::move(trace))
{
}

QList<HidInterfaceInfo> TracedHidBackend::enumerate(quint16 vendorId, quint16 productId)
{
    const QList<HidInterfaceInfo> found = m_inner->enumerate(vendorId, productId);
    m_trace->line("ENUM " + hex4(vendorId) + ' ' + hex4(productId) + ' ' + QByteArray::number(found.size()));
    return found;
}

std::unique_ptr<HidDevice> TracedHidBackend::open(const QByteArray &path)
{
    std::unique_ptr<HidDevice> device = m_inner->open(path);
    m_trace->line("OPEN " + path + (device ? " ok" : " fail"));
    if (!device)
        return nullptr;
    return std::make_unique<TracedHidDevice>(std::move(device), m_trace);
}
