#include "boot_loader_model.h"

#include "data_reports.h"

#include <algorithm>

namespace bootsim {

namespace {
constexpr uint8_t kFlagBit = 0x80;

enum Opcode : uint8_t {
    kErasePage = 1,
    kOpenVerify = 2,
    kOpenWrite = 3,
    kEnable = 4,
    kPageUnit = 5,
    kSetControl = 6,
    kDownloadMode = 7,
    kReset = 8,
};

uint16_t wordAt(const Packet &packet, int offset)
{
    return static_cast<uint16_t>(packet[offset] | (packet[offset + 1] << 8));
}

bool carriesSignature(const Packet &packet)
{
    return std::any_of(packet.begin() + 2, packet.end(), [](uint8_t b) { return b != 0; });
}
}  // namespace

BootLoaderModel::BootLoaderModel()
{
    powerOn();
}

void BootLoaderModel::powerOn()
{
    *this = BootLoaderModel(Behaviour{});
}

void BootLoaderModel::powerCycle()
{
    BootLoaderModel fresh(behaviour);
    fresh.flash = std::move(flash);
    fresh.option = std::move(option);
    fresh.version = version;
    fresh.marker_ = marker_;
    fresh.resets = resets;
    fresh.erases = erases;
    fresh.malformedReports = malformedReports;
    fresh.overrunBytes = overrunBytes;
    *this = std::move(fresh);
}

BootLoaderModel::BootLoaderModel(Behaviour initial)
    : behaviour(initial), flash(kFlashBytes, kErased), option(kOptionBytes, kErased), marker_{'w', 'u', 'm', '-'}
{
}

void BootLoaderModel::setControlByte(uint8_t value)
{
    control_ = value & 0x7F;
    failed_ = (value & kFlagBit) != 0;
}

void BootLoaderModel::setMarker(const char (&marker)[5])
{
    std::copy(marker, marker + 4, marker_.begin());
}

uint16_t BootLoaderModel::progressWord() const
{
    if (session_ == Session::None)
        return 0;
    if (behaviour.progressWordStalls)
        return sessionAddress_;  // never address + 512 + anything a transfer can reach
    return static_cast<uint16_t>(sessionAddress_ + 512 + consumed_ / 2);
}

void BootLoaderModel::command(const Packet &packet)
{
    const uint8_t value = packet[1];
    switch (packet[0]) {
    case kErasePage:
        if (!downloadMode || !flashWriteOpen)
            break;
        ++erases;
        if (packet[5] == kOptionArea) {
            std::fill(option.begin(), option.end(), kErased);
        } else {
            const size_t page = wordAt(packet, 1) & ~(kPageBytes - 1);
            for (size_t at = page; at < page + kPageBytes; ++at) {
                if (static_cast<int>(at) != behaviour.stuckCell)
                    flash[at] = kErased;
            }
        }
        break;
    case kOpenVerify:
        if (wordAt(packet, 3) == 0) {
            session_ = Session::None;  // closes a comparison and keeps its verdict
            break;
        }
        openSession(Session::Verify, packet);
        break;
    case kOpenWrite:
        openSession(Session::Write, packet);
        break;
    case kEnable:
        if (carriesSignature(packet))
            hardwareStop = value;
        else
            flashWriteOpen = value == 1;
        break;
    case kPageUnit:
        pageUnit = value;
        break;
    case kSetControl:
        if (behaviour.controlByteStuck)
            break;
        control_ = value & 0x7F;
        failed_ = false;
        busyReadsLeft_ = behaviour.busyReadsAfterControlWrite;
        break;
    case kDownloadMode:
        downloadMode = true;
        break;
    case kReset:
        downloadMode = false;
        flashWriteOpen = false;
        session_ = Session::None;
        ++resets;
        break;
    default:
        break;
    }
}

void BootLoaderModel::openSession(Session kind, const Packet &packet)
{
    session_ = kind;
    sessionAddress_ = wordAt(packet, 1);
    sessionLength_ = wordAt(packet, 3);
    sessionArea_ = packet[5];
    pending_.clear();
    consumed_ = 0;
    failed_ = false;
}

Status BootLoaderModel::readStatus()
{
    consumePending(behaviour.bytesPerStatusRead == 0 ? pending_.size() : behaviour.bytesPerStatusRead);
    const bool flag = behaviour.busyStuck || busyReadsLeft_ > 0 || failed_;
    const uint16_t word = progressWord();
    Status status = {version,
                     static_cast<uint8_t>(control_ | (flag ? kFlagBit : 0)),
                     marker_[0],
                     marker_[1],
                     marker_[2],
                     marker_[3],
                     static_cast<uint8_t>(word & 0xFF),
                     static_cast<uint8_t>(word >> 8)};
    if (busyReadsLeft_ > 0)
        --busyReadsLeft_;
    return status;
}

void BootLoaderModel::receiveReport(const uint8_t *report, size_t size)
{
    const size_t count = hiddll::dataInReport(report, size);
    if (count == 0) {
        ++malformedReports;
        return;
    }
    receive(report + hiddll::kDataField, count);
}

void BootLoaderModel::receive(const uint8_t *data, size_t count)
{
    if (session_ == Session::None) {
        overrunBytes += count;
        return;
    }
    // The transfer's length came with the command that opened it (a blank check takes two
    // bytes per flash byte); anything beyond it is not taken.
    const size_t budget = sessionArea_ == kBlankCheckArea ? 2 * size_t(sessionLength_) : size_t(sessionLength_);
    const size_t taken = consumed_ + pending_.size();
    const size_t room = budget > taken ? budget - taken : 0;
    overrunBytes += count > room ? count - room : 0;
    count = std::min(count, room);
    pending_.insert(pending_.end(), data, data + count);
    if (behaviour.bytesPerStatusRead == 0)
        consumePending(pending_.size());
}

void BootLoaderModel::consumePending(size_t limit)
{
    const size_t count = std::min(limit, pending_.size());
    for (size_t i = 0; i < count; ++i) {
        consumeByte(pending_.front());
        pending_.pop_front();
    }
}

void BootLoaderModel::consumeByte(uint8_t byte)
{
    const size_t index = consumed_++;
    if (session_ == Session::Write)
        writeByte(index, byte);
    else if (session_ == Session::Verify)
        compareByte(index, byte);
}

void BootLoaderModel::writeByte(size_t index, uint8_t byte)
{
    if (index >= sessionLength_ || !downloadMode || !flashWriteOpen)
        return;
    if (sessionArea_ == kMainFlash) {
        const size_t address = (sessionAddress_ + index) % kFlashBytes;
        if (static_cast<int>(address) != behaviour.stuckCell)
            flash[address] &= byte;  // programming clears bits; only an erase sets them
    } else if (sessionArea_ == kOptionArea) {
        option[(sessionAddress_ + index) % kOptionBytes] &= byte;
    }
}

void BootLoaderModel::compareByte(size_t index, uint8_t byte)
{
    switch (sessionArea_) {
    case kMainFlash:
        if (index < sessionLength_ && flash[(sessionAddress_ + index) % kFlashBytes] != byte)
            failed_ = true;
        break;
    case kOptionArea: {
        // The image holds each option word four times: byte i belongs to word i / 8.
        const size_t optionIndex = sessionAddress_ + 2 * (index / 8) + index % 2;
        if (index < sessionLength_ && option[optionIndex % kOptionBytes] != byte)
            failed_ = true;
        break;
    }
    case kBlankCheckArea: {
        const size_t checked = index / 2;
        if (index % 2 == 1 && checked < sessionLength_ &&
            flash[(sessionAddress_ + checked) % kFlashBytes] != kErased)
            failed_ = true;
        break;
    }
    default:
        break;
    }
}

}  // namespace bootsim
