#pragma once
// The HID seam: every device transfer of the program goes through these two
// interfaces, so that hidapi, the virtual devices and the wire trace can
// stand in for each other. Results follow hidapi: byte counts, -1 on error,
// 0 for a read that timed out.
#include <QByteArray>
#include <QList>
#include <cstddef>
#include <cstdint>
#include <memory>

struct HidInterfaceInfo
{
    QByteArray path;
    quint16 vendorId = 0;
    quint16 productId = 0;
    quint16 usagePage = 0;
    quint16 usage = 0;
};

class HidDevice
{
public:
    virtual ~HidDevice() = default;
    virtual QByteArray path() const = 0;
    virtual int setNonBlocking(bool nonBlocking) = 0;
    // Feature reports: data[0] is the report ID.
    virtual int sendFeatureReport(const uint8_t *data, size_t length) = 0;
    virtual int getFeatureReport(uint8_t *data, size_t length) = 0;
    // Output report: data[0] is the report ID.
    virtual int write(const uint8_t *data, size_t length) = 0;
    // Input report; timeoutMs < 0 waits without limit.
    virtual int readTimeout(uint8_t *data, size_t length, int timeoutMs) = 0;
    int read(uint8_t *data, size_t length) { return readTimeout(data, length, -1); }
};

class HidBackend
{
public:
    virtual ~HidBackend() = default;
    // Interfaces of one vendor/product pair, in enumeration order.
    virtual QList<HidInterfaceInfo> enumerate(quint16 vendorId, quint16 productId) = 0;
    // Null when the path cannot be opened. Closing is destroying the handle.
    virtual std::unique_ptr<HidDevice> open(const QByteArray &path) = 0;
};

namespace HidSeam {
// The process-wide backend. On first use it is built from the environment:
// GEARCONSOLE_VIRTUAL_DEVICES (virtual devices instead of hidapi, see the
// device layer's installer) and GEARCONSOLE_HID_TRACE (wire trace file).
HidBackend &backend();
// Replaces the backend (tests, virtual devices). Wraps it in the wire trace
// when GEARCONSOLE_HID_TRACE is set. Not to be called while transfers run.
void install(std::unique_ptr<HidBackend> backend);
// Whether a backend has been installed or built already.
bool isInstalled();
// Builds the hidapi backend (with the trace when asked for).
std::unique_ptr<HidBackend> makeHidapiBackend();
} // namespace HidSeam
