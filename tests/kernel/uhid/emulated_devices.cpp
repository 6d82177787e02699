#include "emulated_devices.h"

#include "device/virtual/virtual_backend.h"
#include "device/virtual/virtual_environment.h"
#include "device/virtual/vendor_report_model.h"
#include "report_descriptors.h"

#include <QMutex>
#include <algorithm>

namespace {

constexpr int kCommandReportBytes = 8;
constexpr quint16 kBootLoaderVid = 0x04d9, kBootLoaderPid = 0x8022;
constexpr int kBootLoaderDataBytes = 64;
constexpr int kReportIdByte = 1;

// A virtual device behind uhid: the same scrambling, model and records as
// behind the virtual backend.
class VirtualDeviceFunction final : public UhidFunction
{
public:
    explicit VirtualDeviceFunction(std::shared_ptr<VirtualDevice> device) : m_device(std::move(device)) {}

    void setFeature(const QByteArray &report) override
    {
        m_device->featureOut(bytes(report), size_t(report.size()));
    }
    QByteArray getFeature(int length) override
    {
        QByteArray answer(qMax(length, kReportIdByte + kCommandReportBytes), '\0');
        answer.resize(m_device->featureIn(reinterpret_cast<uint8_t *>(answer.data()), size_t(answer.size())));
        return answer;
    }
    void output(const QByteArray &report) override { m_device->output(bytes(report), size_t(report.size())); }
    // Whatever the model queued while handling a feature report answers it;
    // anything queued otherwise the device sends on its own.
    QList<QByteArray> takeAnswerInput() override { return drain(); }
    QList<QByteArray> takeOwnInput() override { return drain(); }

private:
    static const uint8_t *bytes(const QByteArray &report) { return reinterpret_cast<const uint8_t *>(report.constData()); }
    QList<QByteArray> drain()
    {
        QList<QByteArray> reports;
        QByteArray buffer(4096, '\0');
        for (int got; (got = m_device->input(reinterpret_cast<uint8_t *>(buffer.data()), size_t(buffer.size()), 0)) > 0;)
            reports.append(buffer.left(got));
        return reports;
    }

    std::shared_ptr<VirtualDevice> m_device;
};

// The boot-keyboard interface takes nothing from the program.
class SilentFunction final : public UhidFunction
{
public:
    void setFeature(const QByteArray &) override {}
    QByteArray getFeature(int length) override { return QByteArray(qMax(1, length), '\0'); }
    void output(const QByteArray &) override {}
};

} // namespace

class BootLoaderFunction final : public UhidFunction
{
public:
    void setFeature(const QByteArray &report) override
    {
        bootsim::Packet packet{};
        std::copy_n(report.constData() + kReportIdByte, std::min<qsizetype>(packet.size(), report.size() - 1),
                    packet.begin());
        QMutexLocker lock(&m_mutex);
        model.command(packet);
    }
    QByteArray getFeature(int) override
    {
        QMutexLocker lock(&m_mutex);
        const bootsim::Status status = model.readStatus();
        return QByteArray(1, '\0') + QByteArray(reinterpret_cast<const char *>(status.data()), qsizetype(status.size()));
    }
    void output(const QByteArray &report) override
    {
        QMutexLocker lock(&m_mutex);
        model.receiveReport(reinterpret_cast<const uint8_t *>(report.constData()) + kReportIdByte,
                            size_t(report.size() - kReportIdByte));
    }

    void withModel(const std::function<void(bootsim::BootLoaderModel &)> &use)
    {
        QMutexLocker lock(&m_mutex);
        use(model);
    }

    bootsim::BootLoaderModel model;

private:
    QMutex m_mutex;
};

bool EmulatedEntry::isCreated() const
{
    return command && command->isCreated() && (!secondary || secondary->isCreated())
           && (!bootKeyboard || bootKeyboard->isCreated());
}

std::unique_ptr<EmulatedEntry> emulateEntry(const QList<DeviceInfo> &table, int index)
{
    const DeviceInfo &info = table.at(index);
    VirtualHidBackend scratch;
    addVirtualDevicesForEntry(scratch, table, index);
    auto entry = std::make_unique<EmulatedEntry>();
    const QByteArray base = "virtual:" + QByteArray::number(index);
    entry->virtualDevice = scratch.find(base);
    entry->vendorReports = scratch.find(base + ":2");

    const QByteArray name = "VORTAN device " + QByteArray::number(index);
    const int dataBytes = info.hasDataPhase() ? info.reportLength : 0;
    entry->command = std::make_unique<UhidDevice>(
        UhidIdentity{name, info.vid, info.pid,
                     vendorDescriptor(info.usagePage, info.usage, dataBytes, dataBytes, kCommandReportBytes),
                     kReportIdByte + kCommandReportBytes, dataBytes ? kReportIdByte + dataBytes : 0},
        std::make_shared<VirtualDeviceFunction>(entry->virtualDevice));
    if (entry->vendorReports) {
        entry->secondary = std::make_unique<UhidDevice>(
            UhidIdentity{name + " vendor reports", info.vid, info.pid,
                         vendorDescriptor(info.usagePage2, info.usage2, VendorReportModel::kReportLength, 0, 0), 0, 0},
            std::make_shared<VirtualDeviceFunction>(entry->vendorReports));
    }
    if (info.isKeyboard()) {
        entry->bootKeyboard = std::make_unique<UhidDevice>(
            UhidIdentity{name + " keys", info.vid, info.pid, bootKeyboardDescriptor(), 0, kReportIdByte + 1},
            std::make_shared<SilentFunction>());
    }
    return entry;
}

EmulatedBootLoader::EmulatedBootLoader(const std::function<void(bootsim::BootLoaderModel &)> &prepare)
    : m_function(std::make_shared<BootLoaderFunction>())
{
    if (prepare)
        prepare(m_function->model);
    plugIn();
}

void EmulatedBootLoader::plugIn()
{
    if (device) {
        device.reset();
        m_function->withModel([](bootsim::BootLoaderModel &model) { model.powerCycle(); });
    }
    device = std::make_unique<UhidDevice>(
        UhidIdentity{"boot loader", kBootLoaderVid, kBootLoaderPid,
                     vendorDescriptor(0xff00, 0x01, 0, kBootLoaderDataBytes, kCommandReportBytes),
                     kReportIdByte + kCommandReportBytes, kReportIdByte + kBootLoaderDataBytes},
        m_function);
}

void EmulatedBootLoader::unplug()
{
    device.reset();
    m_function->withModel([](bootsim::BootLoaderModel &model) { model.powerCycle(); });
}

bootsim::BootLoaderModel &EmulatedBootLoader::model() { return m_function->model; }

void EmulatedBootLoader::withModel(const std::function<void(bootsim::BootLoaderModel &)> &use)
{
    m_function->withModel(use);
}
