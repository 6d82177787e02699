#pragma once
#include "device_model.h"
#include "platform/hid/hid_backend.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QWaitCondition>

#include <memory>

// One virtual HID interface: the transport side of a device. It undoes and
// applies the scrambling with its own security code, hands plain reports to
// its model, queues the input reports it sends, and records every report.
// Thread-safe: the GUI thread and the poll thread may both use it.
class VirtualDevice
{
public:
    // The interface as enumeration reports it.
    using Identity = HidInterfaceInfo;

    enum class Direction { FeatureOut, FeatureIn, Output, Input };
    struct Record
    {
        Direction direction;
        QByteArray wire;   // bytes as they crossed the wire
        QByteArray plain;  // the same after descrambling (feature reports)
        qint64 atMs;       // since the device was created
    };

    VirtualDevice(Identity identity, std::unique_ptr<DeviceModel> model, bool isEncode = false);

    const Identity &identity() const { return m_identity; }
    DeviceModel &model() { return *m_model; }

    // The security code the device descrambles with: six characters, as in
    // the device table. All zero until set.
    void setSecrecyCode(const QByteArray &sixCharacters);

    // Faults a test can inject.
    void setFailOpen(bool fail);
    bool failsOpen() const;
    // A device that stops answering: each command report waits this long,
    // as the kernel waits for a control transfer, then fails (0: answers).
    void setStallCommandReportsMs(int ms);

    // An input report the device sends on its own (for example a vendor report).
    void queueInputReport(const QByteArray &report);

    // The model's state, taken under the device's lock.
    QJsonObject state() const;

    QList<Record> records() const;
    void clearRecords();

    // Called through the open handles.
    int featureOut(const uint8_t *data, size_t length);
    int featureIn(uint8_t *data, size_t length);
    int output(const uint8_t *data, size_t length);
    int input(uint8_t *data, size_t length, int timeoutMs);

private:
    void record(Direction direction, const QByteArray &wire, const QByteArray &plain);

    const Identity m_identity;
    std::unique_ptr<DeviceModel> m_model;
    const bool m_isEncode;
    quint8 m_secrecyCode[8] = {};
    bool m_failOpen = false;
    int m_stallMs = 0;
    QList<QByteArray> m_inputQueue;
    QList<Record> m_records;
    QElapsedTimer m_clock;
    mutable QMutex m_mutex;
    QWaitCondition m_inputArrived;
};
