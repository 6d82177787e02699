#pragma once
#include "command_rows.h"
#include "device_info.h"

#include <QFuture>
#include <QList>
#include <QMutex>
#include <QWaitCondition>
#include <QThread>
#include <QVariant>

#include <atomic>
#include <initializer_list>
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
    // Points an entry at an interface directly, as detection does for entry
    // 0 (tools and tests reach the other entries this way).
    void setDevicePath(int did, const QString &path);
    quint8 connectionState() const { return connectState; }
    int currentDeviceIndex() const { return currentDevice; }
    void setCurrentDeviceIndex(int index) { currentDevice = index; }

    // The ready flag of the busy handshake: set while no command runs.
    bool isReady() const { return hidReady; }
    void setReady() { hidReady = true; }

    // Detection's side of deviceLock (Widget::checkDevice): asks the poll to
    // give way, waits for it to let go, at most kDetectionLockTries sleeps of
    // kDetectionLockSleepMs, then holds the lock whether or not it was
    // freed. Returns whether it was freed in time.
    static constexpr int kDetectionLockTries = 250;
    static constexpr int kDetectionLockSleepMs = 8;
    bool lockForDetection();
    void unlockAfterDetection();

    // Flags shared with the vendor-report poll.
    std::atomic<bool> deviceLock{false};
    std::atomic<bool> pollRunning{true};
    std::atomic<quint8> supportData{0};

    // Transport primitives used by the commands.
    HidDevice *openDevice(int did);
    // Opens the secondary interface that the last detection handed to the
    // poll (entry 5's path2). Poll thread only.
    HidDevice *openPollDevice();
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

    // Reading commands; the outputs keep their incoming values when the
    // command does not run.
    void hid553_00H_GetSecrecyCode(int did, uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid553_83H_GetKeyboardoption(int did, uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid560_81H_GetKeyboardoption(int did, uchar &byte1, uchar &byte2);
    void hid560_82H_GetCurrentProfile(int did, uchar &byte1);
    void hid560_84H_GetCurrentDPI(int did, uchar &byte1, uchar &byte2);
    void hid553_8BH_GetCurrentDPI(int did, uchar &byte1);
    void hid560_8CH_readProfile(uchar *src128, uchar profileNo);

    // Writing commands without data block.
    void hid553_03H_SetKeyboardoption(int did, uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_04H_SetGunData(int did, uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid560_01H_SetKeyboardoption(int did, uchar byte1, uchar byte2);
    void hidARM_01H_SetReportRate(int did, uchar rate);
    void hid560_03H_SetReportRate(int did, uchar rate);
    void hid560_04H_SetCurrentDPI(int did, uchar stage);
    void hid553_0BH_SetCurrentDPI(int did, uchar stage);
    void hid560_02H_SetCurrentProfile(int did, uchar profile);
    void hid553_02H_SetCurrentKeyMatrix(int did, uchar currentKeyMatrix);
    void hidSetRGBLedEffect(int did, uchar mode, uchar color, uchar brightness, uchar speed, uchar direction);
    void hidmousePad_SetRGBLedEffect(int did, uchar mode, uchar color, uchar brightness, uchar speed, uchar direction,
                                     uchar colorR, uchar colorG, uchar colorB);
    void hidsupport_SetRGBLedEffect(int did, uchar mode, uchar color, uchar brightness, uchar speed, uchar direction,
                                    uchar colorR, uchar colorG, uchar colorB);
    void hid576_08H_SetRGBLedEffect(int did, uchar mode, uchar brightness, uchar speed, uchar direction, uchar color,
                                    uchar bl0, uchar bl1);
    void hid553_0CH_SetFixLEDColor(int did, uchar *src3);
    void hidARM_07H_SetDPI(int did, uchar curDPI, uchar DPISegment, uchar DPI0, uchar DPI1, uchar DPI2, uchar DPI3);
    void hidARM_08H_SetDPI(int did, uchar DPI4, uchar DPI5, uchar DPI6, uchar DPI7, uchar mul);

    // Writing commands with data block.
    void hidARM_03H_SetKeyMatrix(int did, uchar *src64);
    void hidSetKeyMatrix(int did, uchar *src512);
    void hid560_0DH_SetKeyMatrix(int did, uchar *src64, uchar indexAddOne);
    void hid560_0CH_setProfile(int did, uchar *src128, uchar profileData);
    void hid52352_05H_SetMacroKey(int did, uchar macroId, uchar *src192);
    void hidSetMacroKey(int did, uchar macroId, uchar *src512);
    void hidSetPicture(int did, uchar index, uchar *src128);
    void hid560_0FH_SetMacroKey(int did, uchar macroId, uchar *src128);
    void hid553_11H_SetDPISet(int did, uchar dpiStage, uchar *src8);
    void hidARM_0CH_SetLED8StageColor(int did, uchar *src24);
    void hid576_30H_SetLED8StageColor(int did, uchar *src24);

    // Headset: raw 16-byte output reports to device 3, without the handshake.
    bool headSetHidSet(int did, int length);
    void headSetSetLEDStop(uchar vc, uchar sur, uchar enc, uchar magic, uchar AAMute);
    void headSetSetLEDConfig(uchar mode, uchar sizeL, uchar sizeM, uchar Interval_L, uchar Interval_M);
    void headSetSetLEDColorArray(uchar index_L, uchar index_M, uchar r1, uchar g1, uchar b1, uchar r2, uchar g2,
                                 uchar b2, uchar r3, uchar g3, uchar b3, uchar r4, uchar g4, uchar b4);
    void headSetSetLEDStart();

    QVariant getSupportData();
    void setSupportData(QVariant value);

private:
    bool isKnown(int did) const { return did >= 0 && did < deviceList.size(); }
    // The poll never touches the table: detection hands it a copy of the
    // polled entry's path2, and a failed open empties only that copy.
    void handOverPollPath();
    bool takeLockForPoll();
    void closeHid();
    bool failTransfer();
    // One log line for a report the device did not take or give.
    void logFailedReport(int did, const char *report) const;
    // A device that let a command report run into the transfer's time-out
    // would cost every following command the same wait, seconds each on the
    // GUI thread: its path is skipped until the next detection.
    QString unansweredPath;
    bool skipsUnanswered(int did) const;
    // Opens the device, scrambles the command report where the entry asks for
    // it and sends it: the start of both primitives. Null on failure.
    HidDevice *sendCommandReport(int did);
    // The entry whose interface `did` names: its report length and
    // scrambling are the ones that interface understands. Detection points
    // index 0 at whichever edition answered. `did` must be in the table.
    const DeviceInfo &interfaceEntry(int did) const { return deviceList[did == 0 ? indexZeroEntry : did]; }
    // True (and logged) when a transfer of `length` data bytes needs a
    // report length the entry does not have.
    bool refusesDataPhase(int did, int length) const;
    void processEventsKeepingReport(int payloadLength);

    static constexpr int kHeadsetDevice = 3;
    static constexpr int kHeadsetReportLength = 16;

    // The senders every command is built on.
    void fillCommandReport(uint8_t opcode, const Cmd::Byte bytes[7], std::initializer_list<uchar> args);
    void runWrite(const Cmd::Write &command, int did, std::initializer_list<uchar> args, const uchar *block = nullptr);
    void runRepeated(const Cmd::Write &command, int did, uchar value);
    // True when the device answered; the outputs are written either way.
    bool runRead(const Cmd::Read &command, int did, std::initializer_list<uchar> args,
                 std::initializer_list<uchar *> outputs);
    // The security-code probe's exchange; true when the device answered.
    bool readSecrecyCode(int did, uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void runHeadset(std::initializer_list<uchar> report);

    QList<DeviceInfo> deviceList;
    MainWindowLink *m_window = nullptr;
    quint8 connectState = 0;
    int currentDevice = 0;
    int indexZeroEntry = 0;  // the entry whose interface index 0's path names
    bool hidReady = true;
    std::unique_ptr<HidDevice> hidHandle;
    std::unique_ptr<HidDevice> pollHandle;
    // Set while detection waits for deviceLock; the poll does not take the
    // lock again until it is clear.
    std::atomic<bool> detectionWaiting{false};
    QMutex pollPathMutex;
    QString pollPath;  // guarded by pollPathMutex
    // Wakes a poll that has nothing to read: a path handed over, or the end.
    QWaitCondition pollPathGiven;
    void wakeIdlePoll();
    void waitForPollPath();
    QFuture<void> pollFuture;
};
