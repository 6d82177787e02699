// The 8-byte command packets of the boot loader and the one call that sends them.
//
//  opcode           byte 1      byte 2      byte 3     byte 4     byte 5    bytes 6-7
//  1 erase page     address lo  address hi  0          0          selector  0
//  2 open verify    address lo  address hi  length lo  length hi  area      0
//  3 open write     address lo  address hi  length lo  length hi  area      0
//  4 enable         value       zeros (flash write enable) or signature in 2-7 (hardware stop)
//  5 page unit      unit        zeros
//  6 control byte   new value   signature in 2-7
//  7 download mode  zeros
//  8 reset          zeros
#pragma once

#include <array>
#include <cstdint>

namespace burnlet {

enum class Opcode : uint8_t {
    ErasePage = 1,
    InitialVerify = 2,
    InitialWrite = 3,
    Enable = 4,
    PageUnit = 5,
    SetControlByte = 6,
    EntryDownloadMode = 7,
    Reset = 8,
};

constexpr int kPacketSize = 8;
using CommandPacket = std::array<uint8_t, kPacketSize>;

// Field offsets inside a packet.
enum PacketField : int {
    kOpcodeField = 0,
    kValueField = 1,      // single-byte argument
    kAddressField = 1,    // 16-bit little-endian, bytes 1-2
    kLengthField = 3,     // 16-bit little-endian, bytes 3-4
    kAreaField = 5,       // area or erase selector
    kSignatureField = 2,  // bytes 2-7
};

// Six printable ASCII bytes that mark the commands which change the device's protection.
constexpr std::array<uint8_t, 6> kCommandSignature = {'G', 'C', 'B', 'U', 'R', 'N'};

CommandPacket plainPacket(Opcode op);
CommandPacket valuePacket(Opcode op, uint8_t value);
CommandPacket signedPacket(Opcode op, uint8_t value);
CommandPacket rangePacket(Opcode op, uint16_t address, uint16_t length, uint8_t area);

// 0 when HIDDLL took the packet, 254 otherwise.
int32_t sendCommand(CommandPacket packet);

}  // namespace burnlet
