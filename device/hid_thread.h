#pragma once
#include "device_info.h"

#include <QFuture>
#include <QList>
#include <QThread>
#include <QVariant>

#include <atomic>
#include <memory>

class HidDevice;
class MainWindowLink;

// The one object through which the program talks to its devices: the device
// table, detection, the HID transport (checksum, scrambling, busy handshake,
// chunked data blocks) and the device commands. It derives from QThread but
// is never started: every command runs on its caller's thread, the GUI
// thread. Only the vendor-report poll runs on a pool thread.
class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    explicit Hid_Thread(QObject *parent = nullptr);
    ~Hid_Thread() override;

    void setWindow(MainWindowLink *window) { m_window = window; }
    MainWindowLink *window() const { return m_window; }

    // Table and detection.
    const QList<DeviceInfo> &devices() const { return deviceList; }
    void detectDevices();
    quint8 connectionState() const { return connectState; }
    int currentDeviceIndex() const { return currentDevice; }
    void setCurrentDeviceIndex(int index) { currentDevice = index; }

    // The ready flag of the busy handshake: set while no command runs.
    bool isReady() const { return hidReady; }
    void setReady() { hidReady = true; }

    // Flags shared with the vendor-report poll.
    std::atomic<bool> deviceLock{false};
    std::atomic<bool> pollRunning{true};
    std::atomic<quint8> supportData{0};

    // Transport primitives used by the commands.
    HidDevice *openDevice(int did);
    HidDevice *openPollDevice(int did);
    bool waitHidIdle();
    void settlePause();
    bool sendCommand(int did, int payloadLength, bool settle);
    bool exchangeCommand(int did, int readLength);

    void startPollingUSBVendorCmd();
    void stopPollingUSBVendorCmd();
    void pollVendorReports();

    // The 8 bytes whose bytes 1 to 6 key the scrambling; zero until
    // chkDeviceIsEnCode loads an entry's security code.
    static quint8 SecrecyCode[8];

    uchar cmdReport[16] = {};
    uchar ackReport[9] = {};
    uchar payload[512] = {};

public slots:
    uchar hidCS(uchar *cmd);
    bool chkDeviceIsEnCode(int index);
    void USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode);
    void USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode);

    void hid553_00H_GetSecrecyCode(int did, uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);

    bool headSetHidSet(int did, int length);
    QVariant getSupportData();
    void setSupportData(QVariant value);

private:
    bool isKnown(int did) const { return did >= 0 && did < deviceList.size(); }
    void closeHid();
    bool failTransfer();

    QList<DeviceInfo> deviceList;
    MainWindowLink *m_window = nullptr;
    quint8 connectState = 0;
    int currentDevice = 0;
    bool hidReady = true;
    std::unique_ptr<HidDevice> hidHandle;
    std::unique_ptr<HidDevice> pollHandle;
    QFuture<void> pollFuture;
};
