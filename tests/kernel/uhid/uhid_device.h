#pragma once
// One HID interface emulated through the kernel's uhid driver: the kernel
// sees a HID device with the given ids and report descriptor, binds
// hid-generic to it and makes a hidraw node, and every report a program
// sends through that node reaches the function behind it here.
#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>

#include <atomic>
#include <deque>
#include <memory>
#include <thread>

// What answers behind an emulated interface. Every report carries the
// report-ID byte first (0: the descriptors here have no numbered reports),
// as uhid hands it over and as a feature reply must start.
class UhidFunction
{
public:
    virtual ~UhidFunction() = default;
    virtual void setFeature(const QByteArray &report) = 0;
    virtual QByteArray getFeature(int length) = 0;
    virtual void output(const QByteArray &report) = 0;
    // Input reports that answer the last feature report (held until the host
    // has collected that answer) and those the device sends on its own.
    virtual QList<QByteArray> takeAnswerInput() { return {}; }
    virtual QList<QByteArray> takeOwnInput() { return {}; }
};

struct UhidIdentity
{
    QByteArray name;
    quint16 vendorId = 0;
    quint16 productId = 0;
    QByteArray descriptor;
    // Report lengths the descriptor declares, report-ID byte included
    // (0: the interface has no such report).
    int featureLength = 0;
    int outputLength = 0;
};

class UhidDevice
{
public:
    UhidDevice(UhidIdentity identity, std::shared_ptr<UhidFunction> function);
    ~UhidDevice();  // unplugs
    UhidDevice(const UhidDevice &) = delete;
    UhidDevice &operator=(const UhidDevice &) = delete;

    bool isCreated() const { return m_fd >= 0; }
    const UhidIdentity &identity() const { return m_identity; }

    // Unplugs the device: now, or from the serving thread right after the
    // given number of further output reports has arrived.
    void unplug();
    void unplugAfterOutputs(int count) { m_unplugAfterOutputs = count; }
    // A device that stops answering leaves feature requests without reply;
    // the kernel gives up on them after its own time-out.
    void setAnswering(bool answering) { m_answering = answering; }
    // When the input reports that answer a command go out: once the host has
    // collected the command's answer report, from then on one per interval
    // while the interface is open (the default), or all of them the moment
    // the command report arrives, to the handle that sent it.
    enum class AnswerTiming { AfterAnswerReport, AtOnce };
    void setAnswerTiming(AnswerTiming timing) { m_answerTiming = timing; }

    // Reports whose length differs from what the descriptor declares.
    int misfitReports() const { return m_misfits; }
    int outputReports() const { return m_outputs; }
    // Whether some program holds the interface open (uhid reports the first
    // open and the last close).
    bool isOpen() const { return m_open; }

private:
    void serve();
    void handleEvent(const struct uhid_event &event);
    void sendInput(const QByteArray &report);
    void destroyDevice();
    void checkLength(int expected, int got);

    const UhidIdentity m_identity;
    const std::shared_ptr<UhidFunction> m_function;
    int m_fd = -1;
    std::thread m_thread;
    std::atomic<bool> m_running{true};
    std::atomic<bool> m_answering{true};
    std::atomic<AnswerTiming> m_answerTiming{AnswerTiming::AfterAnswerReport};
    std::atomic<bool> m_unplugged{false};
    std::atomic<int> m_unplugAfterOutputs{-1};
    std::atomic<int> m_misfits{0};
    std::atomic<int> m_outputs{0};
    std::atomic<bool> m_open{false};
    // Serving thread only.
    std::deque<QByteArray> m_heldInput;
    std::deque<QByteArray> m_readyInput;
    qint64 m_lastInputMs = 0;
    qint64 m_openedAtMs = 0;
    QElapsedTimer m_clock;
    QMutex m_writeMutex;  // every write to the uhid file
};
