// Hid_Thread: the busy handshake and the transfer primitives.
#include "hid_thread.h"

#include "platform/hid/hid_backend.h"
#include "platform/logging.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QVector>

#include <algorithm>

namespace {
constexpr int kIdleTries = 255;
constexpr int kIdleSleepMs = 8;
constexpr int kSettleSleepMs = 64;
constexpr int kCommandReportLength = 9;
// A device that stops answering must not freeze the GUI thread: each input
// report of an exchange is awaited this long, then the read counts as failed.
constexpr int kInputReportTimeoutMs = 1000;
// A command report that fails after this long ran into the transfer's
// time-out (the kernel waits 5 s for a control transfer) rather than an error.
constexpr int kUnansweredAfterMs = 1000;
} // namespace

bool Hid_Thread::waitHidIdle()
{
    for (int i = 0; i < kIdleTries; ++i) {
        if (hidReady) {
            hidReady = false;
            return true;
        }
        QThread::msleep(kIdleSleepMs);
        QCoreApplication::processEvents();
    }
    return false;
}

void Hid_Thread::settlePause()
{
    QThread::msleep(kSettleSleepMs);
    QThread::msleep(kSettleSleepMs);
}

void Hid_Thread::closeHid() { hidHandle.reset(); }

bool Hid_Thread::failTransfer()
{
    closeHid();
    hidReady = true;
    return false;
}

void Hid_Thread::logFailedReport(int did, const char *report) const
{
    qCWarning(lcHid).noquote() << "device" << did << report << "failed on" << deviceList[did].path
                               << "- the command is dropped";
}

bool Hid_Thread::refusesDataPhase(int did, int length) const
{
    if (length <= 0 || !isKnown(did) || interfaceEntry(did).hasDataPhase())
        return false;
    qCWarning(lcHid) << "device" << did << "has no usable report length:" << interfaceEntry(did).reportLength
                     << "- a data block or read of" << length << "bytes is refused";
    return true;
}

void Hid_Thread::processEventsKeepingReport(int payloadLength)
{
    // A queued call run here may send a command of its own (the ready flag
    // is free between the repeats of a repeated report, and a headset report
    // never takes it): the report and block this command was given go back
    // in place afterwards.
    uchar report[sizeof cmdReport];
    std::copy_n(cmdReport, sizeof cmdReport, report);
    const QByteArray block(reinterpret_cast<const char *>(payload), qBound(0, payloadLength, int(sizeof payload)));
    QCoreApplication::processEvents();
    std::copy_n(report, sizeof report, cmdReport);
    std::copy(block.cbegin(), block.cend(), payload);
}

bool Hid_Thread::skipsUnanswered(int did) const
{
    return !unansweredPath.isEmpty() && isKnown(did) && deviceList[did].path == unansweredPath;
}

HidDevice *Hid_Thread::sendCommandReport(int did)
{
    if (skipsUnanswered(did)) {
        qCDebug(lcHid) << "device" << did << "did not answer before: command skipped until the next detection";
        return nullptr;
    }
    if (!openDevice(did))
        return nullptr;
    if (interfaceEntry(did).isEncode)
        USBDataEncryption(cmdReport + 1, SecrecyCode);
    HidDevice *device = openDevice(did);
    if (!device)
        return nullptr;
    QElapsedTimer clock;
    clock.start();
    if (device->sendFeatureReport(cmdReport, kCommandReportLength) < 0) {
        if (clock.elapsed() >= kUnansweredAfterMs) {
            unansweredPath = deviceList[did].path;
            qCWarning(lcHid).noquote() << "device" << did << "did not answer within" << clock.elapsed() << "ms on"
                                       << unansweredPath << "- its commands are skipped until the next detection";
        } else {
            logFailedReport(did, "command report");
        }
        return nullptr;
    }
    return device;
}

bool Hid_Thread::sendCommand(int did, int payloadLength, bool settle)
{
    processEventsKeepingReport(payloadLength);
    if (refusesDataPhase(did, payloadLength))
        return failTransfer();
    HidDevice *device = sendCommandReport(did);
    if (!device)
        return failTransfer();
    if (settle)
        settlePause();

    if (payloadLength > 0) {
        const int reportLength = interfaceEntry(did).reportLength;
        const int chunk = payloadLength >= reportLength ? reportLength : payloadLength;
        QVector<uchar> buffer(reportLength + 1, 0);
        for (int offset = 0; offset < payloadLength; offset += chunk) {
            buffer[0] = 0;
            // A report length that does not divide the block leaves a short
            // last chunk: it carries this command's bytes only (the buffer
            // beyond the block still holds an earlier command's), then zeros.
            const int copied = std::max(0, std::min({chunk, payloadLength - offset, int(sizeof payload) - offset}));
            std::copy_n(payload + offset, copied, buffer.begin() + 1);
            std::fill(buffer.begin() + 1 + copied, buffer.begin() + 1 + chunk, uchar(0));
            device = openDevice(did);
            if (!device)
                return failTransfer();
            if (device->write(buffer.constData(), size_t(buffer.size())) < 0) {
                logFailedReport(did, "data report");
                return failTransfer();
            }
        }
        if (settle)
            settlePause();
    }
    closeHid();
    hidReady = true;
    return true;
}

bool Hid_Thread::exchangeCommand(int did, int readLength)
{
    if (refusesDataPhase(did, readLength))
        return failTransfer();
    HidDevice *device = sendCommandReport(did);
    if (!device)
        return failTransfer();
    const DeviceInfo &entry = interfaceEntry(did);
    // A device may send the input reports of its answer as soon as the
    // command report arrives. hidraw queues them for the handles open at that
    // moment and throws a handle's queue away when it closes, so an exchange
    // that reads input reports keeps the handle that sent its command report
    // until the last of them is in.
    if (readLength == 0)
        device = openDevice(did);
    if (!device)
        return failTransfer();
    if (device->getFeatureReport(ackReport, kCommandReportLength) < 0) {
        logFailedReport(did, "answer report");
        return failTransfer();
    }

    if (readLength == 0) {
        closeHid();
        hidReady = true;
        if (entry.isEncode)
            USBDataDecipher(ackReport + 1, SecrecyCode);
        return true;
    }

    const int reportLength = entry.reportLength;
    const int chunk = readLength >= reportLength ? reportLength : readLength;
    QVector<uchar> buffer(reportLength + 1);
    for (int offset = 0; offset < readLength; offset += chunk) {
        buffer.fill(0);
        if (device->readTimeout(buffer.data(), size_t(buffer.size()), kInputReportTimeoutMs) <= 0) {
            logFailedReport(did, "input report");
            return failTransfer();
        }
        std::copy_n(buffer.constData(), std::min({chunk, readLength - offset, int(sizeof payload) - offset}),
                    payload + offset);
    }
    closeHid();
    hidReady = true;
    return true;
}

bool Hid_Thread::headSetHidSet(int did, int length)
{
    if (!openDevice(did)) {
        hidReady = true;
        return false;
    }
    HidDevice *device = openDevice(did);
    const bool written = device && device->write(cmdReport, size_t(qBound(0, length, int(sizeof cmdReport)))) >= 0;
    closeHid();
    hidReady = true;
    return written;
}
