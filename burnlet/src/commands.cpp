// The single-command operations and the read-modify-write forms built on them.
#include "burnlet.h"
#include "command_packet.h"
#include "progress.h"
#include "status_block.h"

using namespace burnlet;

namespace {
uint8_t lowByte(int32_t value)
{
    return static_cast<uint8_t>(value & 0xFF);
}

// Reads the control byte, then writes (current AND NOT mask) OR (value AND mask).
uint32_t rewriteControlBits(uint8_t value, uint8_t mask)
{
    const int32_t result = readStatus();
    if (result != BURNLET_OK)
        return static_cast<uint32_t>(result);
    const uint8_t current = controlByte();
    return SetBCTL(static_cast<uint8_t>((current & ~mask) | (value & mask)));
}
}  // namespace

extern "C" uint32_t EnableFWEN(int32_t enable)
{
    return static_cast<uint32_t>(sendCommand(valuePacket(Opcode::Enable, lowByte(enable))));
}

extern "C" uint32_t EnableHWSTP(int32_t enable)
{
    return static_cast<uint32_t>(sendCommand(signedPacket(Opcode::Enable, lowByte(enable))));
}

uint32_t SetBCTL(uint8_t value)
{
    return static_cast<uint32_t>(sendCommand(signedPacket(Opcode::SetControlByte, value)));
}

uint32_t SetBCTL(uint8_t value, uint8_t mask)
{
    return rewriteControlBits(value, mask);
}

extern "C" uint32_t SetBCTL_HSBS(uint8_t value)
{
    return rewriteControlBits(value, 0x0F);
}

extern "C" int32_t InitialWriteFlashCmd(uint16_t address, uint16_t length, uint8_t area)
{
    return sendCommand(rangePacket(Opcode::InitialWrite, address, length, area));
}

extern "C" int32_t InitialVerifyFlashCmd(uint16_t address, uint16_t length, uint8_t area)
{
    return sendCommand(rangePacket(Opcode::InitialVerify, address, length, area));
}

extern "C" int32_t ErasePageFlashCmd(uint16_t address, uint8_t selector)
{
    return sendCommand(rangePacket(Opcode::ErasePage, address, 0, selector));
}

extern "C" int32_t FlashPageUnitCmd(uint8_t unit)
{
    return sendCommand(valuePacket(Opcode::PageUnit, unit));
}

extern "C" int32_t EntryDownloadMode(void)
{
    const int32_t result = readStatus();
    if (result != BURNLET_OK)
        return result;
    if (!markerPresent())
        return BURNLET_TRANSFER_FAILED;
    return sendCommand(plainPacket(Opcode::EntryDownloadMode));
}

extern "C" int32_t ErasePage(uint16_t address, uint8_t selector)
{
    int32_t result = static_cast<int32_t>(EnableFWEN(1));
    if (result == BURNLET_OK)
        result = ErasePageFlashCmd(address, selector);
    if (result == BURNLET_OK)
        result = static_cast<int32_t>(EnableFWEN(0));
    return result;
}

extern "C" void BooltLoader_Reset(void)
{
    // The device restarts at once and may not acknowledge; the result is of no use.
    sendCommand(plainPacket(Opcode::Reset));
    setProgress(kProgressDone);
}

extern "C" uint32_t SW_Reset(void)
{
    return BURNLET_OK;
}
