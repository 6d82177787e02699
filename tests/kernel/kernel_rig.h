#pragma once
// What every kernel scenario shares: the program's device object on the real
// hidapi backend (or, for comparison, on the virtual one), its wire trace,
// and the interfaces the kernel lists.
#include "device/hid_thread.h"
#include "device/virtual/virtual_backend.h"
#include "support/test_workspace.h"
#include "support/wire_trace.h"
#include "uhid/emulated_devices.h"

#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

struct HidrawInterface
{
    QByteArray path;
    quint16 usagePage = 0;
    quint16 usage = 0;
};

// The kernel's interfaces with these ids, as hidapi lists them (without going
// through the program's trace).
QList<HidrawInterface> hidrawInterfaces(quint16 vid, quint16 pid);
// Waits until the kernel lists `count` interfaces with these ids.
bool waitForInterfaces(quint16 vid, quint16 pid, int count);
QByteArray hidrawPath(quint16 vid, quint16 pid, quint16 usagePage, quint16 usage);

// A trace line without its time and path: what crossed the wire, and how.
QStringList wireOf(const QList<TraceLine> &lines);

struct DeviceRig
{
    enum Backend { Kernel, Virtual };
    // `table`: device-table entries to write (empty: the shipped table).
    DeviceRig(Backend backend, const QList<QMap<QString, QString>> &table = {});
    ~DeviceRig();
    // Plugs in the entry's interfaces (through uhid, or as virtual devices
    // with the same interfaces) and waits until they are listed.
    bool plug(int index);
    // When the command interfaces plugged in from now on send the input
    // reports that answer a command.
    UhidDevice::AnswerTiming answerTiming = UhidDevice::AnswerTiming::AfterAnswerReport;
    std::shared_ptr<VirtualDevice> model(int index) const;
    // The path of the entry's command interface, as enumeration lists it.
    QString commandPath(int index) const;

    TestWorkspace workspace;
    QTemporaryDir traceFolder;
    std::unique_ptr<WireTrace> trace;
    Backend backend;
    VirtualHidBackend *virtualHid = nullptr;
    std::unique_ptr<Hid_Thread> device;
    QMap<int, std::shared_ptr<EmulatedEntry>> emulated;
};

// Skips the scenario outside the test VM.
bool insideTestVm();
