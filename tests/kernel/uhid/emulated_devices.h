#pragma once
// The program's devices and burnlet's boot loader as kernel HID devices:
// each interface is a uhid device whose reports reach the same model the
// virtual backend uses, presented with the descriptor its table entry calls
// for (vendor-defined page and usage, reports of the entry's length).
#include "device/device_info.h"
#include "device/virtual/virtual_device.h"
#include "uhid_device.h"

#include <boot_loader_model.h>

#include <QList>
#include <functional>
#include <memory>
#include <vector>

// The interfaces of one device-table entry. `virtualDevice` is the command
// interface's virtual device (its model, its records), `vendorReports` the
// secondary interface's, if any.
struct EmulatedEntry
{
    std::shared_ptr<VirtualDevice> virtualDevice;
    std::shared_ptr<VirtualDevice> vendorReports;
    std::unique_ptr<UhidDevice> command;
    std::unique_ptr<UhidDevice> secondary;
    std::unique_ptr<UhidDevice> bootKeyboard;  // keyboards only: keystrokes, never the program's

    bool isCreated() const;
};

// Builds the entry's virtual devices as the virtual backend does and plugs
// them in through uhid; keyboards (type 0) get their boot-keyboard interface too.
std::unique_ptr<EmulatedEntry> emulateEntry(const QList<DeviceInfo> &table, int index);

// burnlet's boot loader (04d9:8022): 8-byte command and status as feature
// reports, flash data as 64-byte output reports that count their data bytes.
// The model is the device's memory: it outlives an unplug, so that a keyboard
// plugged in again still holds what was written before.
struct EmulatedBootLoader
{
    // `prepare` sets the device's memory up before it is plugged in.
    explicit EmulatedBootLoader(const std::function<void(bootsim::BootLoaderModel &)> &prepare = {});
    // The model, to be looked at once the programming process has ended.
    bootsim::BootLoaderModel &model();
    // The model under the serving thread's lock, while a program talks to it.
    void withModel(const std::function<void(bootsim::BootLoaderModel &)> &use);
    // Unplugs the device; plugIn() brings a new one on the same model.
    void unplug();
    void plugIn();
    std::unique_ptr<UhidDevice> device;

private:
    std::shared_ptr<class BootLoaderFunction> m_function;
};
