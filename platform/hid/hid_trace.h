#pragma once
#include "hid_backend.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>

// The wire trace: one line per call through the HID seam, appended to a file
// and flushed at once, so that tools outside the program can read exactly
// what crossed the wire. The line format is a contract (docs/ARCHITECTURE.md):
//   <ms> ENUM <vid> <pid> <count>
//   <ms> OPEN <path> ok|fail        <ms> CLOSE <path>
//   <ms> FEATURE_OUT <path> <bytes> <ms> FEATURE_IN <path> <bytes>|error
//   <ms> OUTPUT <path> <bytes>      <ms> INPUT <path> <bytes>|timeout|error
class HidTrace
{
public:
    explicit HidTrace(const QString &fileName);
    bool isOpen() const { return m_file.isOpen(); }
    void line(const QByteArray &text);
    static QByteArray hexBytes(const uint8_t *data, size_t length);

private:
    QMutex m_mutex;
    QFile m_file;
    QElapsedTimer m_clock;
};

// Wraps any backend and writes each call to the trace.
class TracedHidBackend final : public HidBackend
{
public:
    TracedHidBackend(std::unique_ptr<HidBackend> inner, std::shared_ptr<HidTrace> trace);
    QList<HidInterfaceInfo> enumerate(quint16 vendorId, quint16 productId) override;
    std::unique_ptr<HidDevice> open(const QByteArray &path) override;

private:
    std::unique_ptr<HidBackend> m_inner;
    std::shared_ptr<HidTrace> m_trace;
};
