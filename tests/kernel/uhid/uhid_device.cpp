#include "uhid_device.h"

#include <QElapsedTimer>

#include <cstring>
#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

namespace {
constexpr quint16 kBusUsb = 0x03;
constexpr int kTickMs = 2;
// A USB device hands over an input report only when the host polls its
// interrupt endpoint, which it does only while the interface is open. This
// device sends one report when the interface is opened and another each
// interval while it stays open, so a host that opens the interface for each
// report gets each in turn, as from the hardware.
constexpr int kInputIntervalMs = 50;
// The kernel lists a new reader only after the open reached the device. The
// events are read without delay meanwhile: uhid drops what does not fit its
// queue of 32.
constexpr int kOpenSettleMs = 2;
} // namespace

UhidDevice::UhidDevice(UhidIdentity identity, std::shared_ptr<UhidFunction> function)
    : m_identity(std::move(identity)), m_function(std::move(function))
{
    m_fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (m_fd < 0)
        return;
    uhid_event event{};
    event.type = UHID_CREATE2;
    auto &create = event.u.create2;
    std::strncpy(reinterpret_cast<char *>(create.name), m_identity.name.constData(), sizeof create.name - 1);
    create.rd_size = quint16(m_identity.descriptor.size());
    create.bus = kBusUsb;
    create.vendor = m_identity.vendorId;
    create.product = m_identity.productId;
    std::memcpy(create.rd_data, m_identity.descriptor.constData(), size_t(m_identity.descriptor.size()));
    if (::write(m_fd, &event, sizeof event) != ssize_t(sizeof event)) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_thread = std::thread([this] { serve(); });
}

UhidDevice::~UhidDevice()
{
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
    if (m_fd >= 0)
        ::close(m_fd);  // destroys the device if it is still there
}

void UhidDevice::unplug() { destroyDevice(); }

void UhidDevice::destroyDevice()
{
    m_unplugged = true;
    QMutexLocker lock(&m_writeMutex);
    uhid_event event{};
    event.type = UHID_DESTROY;
    if (m_fd >= 0)
        (void)::write(m_fd, &event, sizeof event);
}

void UhidDevice::sendInput(const QByteArray &report)
{
    QMutexLocker lock(&m_writeMutex);
    uhid_event event{};
    event.type = UHID_INPUT2;
    event.u.input2.size = quint16(qMin(report.size(), qsizetype(UHID_DATA_MAX)));
    std::memcpy(event.u.input2.data, report.constData(), event.u.input2.size);
    (void)::write(m_fd, &event, sizeof event);
}

void UhidDevice::checkLength(int expected, int got)
{
    if (expected != got)
        ++m_misfits;
}

void UhidDevice::serve()
{
    m_clock.start();
    QElapsedTimer &clock = m_clock;
    pollfd watch{m_fd, POLLIN, 0};
    while (m_running) {
        if (::poll(&watch, 1, kTickMs) > 0 && (watch.revents & POLLIN)) {
            uhid_event event{};
            // What the kernel queued before the removal never reaches an unplugged device.
            if (::read(m_fd, &event, sizeof event) > 0 && !m_unplugged) {
                handleEvent(event);
                if (event.type == UHID_OPEN) {
                    m_openedAtMs = clock.elapsed();
                    m_lastInputMs = m_openedAtMs - kInputIntervalMs;
                }
            }
        }
        for (const QByteArray &report : m_function->takeOwnInput())
            m_readyInput.push_back(report);
        if (m_open && !m_readyInput.empty() && clock.elapsed() - m_lastInputMs >= kInputIntervalMs
            && clock.elapsed() - m_openedAtMs >= kOpenSettleMs) {
            sendInput(m_readyInput.front());
            m_readyInput.pop_front();
            m_lastInputMs = clock.elapsed();
        }
    }
}

void UhidDevice::handleEvent(const uhid_event &event)
{
    switch (event.type) {
    case UHID_OPEN:
        m_open = true;
        break;
    case UHID_CLOSE:
        m_open = false;
        break;
    case UHID_OUTPUT: {
        const auto &output = event.u.output;
        checkLength(m_identity.outputLength, output.size);
        m_function->output(QByteArray(reinterpret_cast<const char *>(output.data), output.size));
        ++m_outputs;
        if (m_unplugAfterOutputs > 0 && --m_unplugAfterOutputs == 0)
            destroyDevice();
        break;
    }
    case UHID_SET_REPORT: {
        if (!m_answering)
            break;
        const auto &request = event.u.set_report;
        checkLength(m_identity.featureLength, request.size);
        m_function->setFeature(QByteArray(reinterpret_cast<const char *>(request.data), request.size));
        for (const QByteArray &report : m_function->takeAnswerInput()) {
            // Sent before the reply, while the handle that sent the command
            // still waits for it: that handle takes them, and loses them when
            // it closes, as hidraw drops a closed handle's queue.
            if (m_answerTiming == AnswerTiming::AtOnce)
                sendInput(report);
            else
                m_heldInput.push_back(report);
        }
        QMutexLocker lock(&m_writeMutex);
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = request.id;
        (void)::write(m_fd, &reply, sizeof reply);
        break;
    }
    case UHID_GET_REPORT: {
        if (!m_answering)
            break;
        const QByteArray answer = m_function->getFeature(m_identity.featureLength);
        {
            QMutexLocker lock(&m_writeMutex);
            uhid_event reply{};
            reply.type = UHID_GET_REPORT_REPLY;
            reply.u.get_report_reply.id = event.u.get_report.id;
            reply.u.get_report_reply.size = quint16(answer.size());
            std::memcpy(reply.u.get_report_reply.data, answer.constData(), size_t(answer.size()));
            (void)::write(m_fd, &reply, sizeof reply);
        }
        // The answer is collected: the input reports it announced may follow,
        // from the next open of the interface on (or an interval later).
        m_lastInputMs = m_clock.elapsed();
        while (!m_heldInput.empty()) {
            m_readyInput.push_back(m_heldInput.front());
            m_heldInput.pop_front();
        }
        break;
    }
    default:
        break;
    }
}
