#include "command_packet.h"

#include "burnlet.h"
#include "state.h"

#include <algorithm>

namespace burnlet {

namespace {
void putWord(CommandPacket &packet, int offset, uint16_t word)
{
    packet[offset] = static_cast<uint8_t>(word & 0xFF);
    packet[offset + 1] = static_cast<uint8_t>(word >> 8);
}
}  // namespace

CommandPacket plainPacket(Opcode op)
{
    CommandPacket packet{};
    packet[kOpcodeField] = static_cast<uint8_t>(op);
    return packet;
}

CommandPacket valuePacket(Opcode op, uint8_t value)
{
    CommandPacket packet = plainPacket(op);
    packet[kValueField] = value;
    return packet;
}

CommandPacket signedPacket(Opcode op, uint8_t value)
{
    CommandPacket packet = valuePacket(op, value);
    std::copy(kCommandSignature.begin(), kCommandSignature.end(), packet.begin() + kSignatureField);
    return packet;
}

CommandPacket rangePacket(Opcode op, uint16_t address, uint16_t length, uint8_t area)
{
    CommandPacket packet = plainPacket(op);
    putWord(packet, kAddressField, address);
    putWord(packet, kLengthField, length);
    packet[kAreaField] = area;
    return packet;
}

int32_t sendCommand(CommandPacket packet)
{
    return HT_SetUSBCmd(state().current, kPacketSize, packet.data()) ? BURNLET_OK : BURNLET_TRANSFER_FAILED;
}

}  // namespace burnlet
