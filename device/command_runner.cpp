// Hid_Thread: the senders that every device command is built on, one per
// kind of transfer.
#include "hid_thread.h"

#include "main_window_link.h"
#include "platform/logging.h"

namespace {
constexpr int kAfterEightMs = 8;
}

void Hid_Thread::fillCommandReport(uint8_t opcode, const Cmd::Byte bytes[7], std::initializer_list<uchar> args)
{
    const uchar *argv = args.begin();
    cmdReport[0] = 0;
    cmdReport[1] = opcode;
    for (int i = 0; i < 7; ++i) {
        const Cmd::Byte b = bytes[i];
        if (Cmd::isArg(b))
            cmdReport[2 + i] = Cmd::argIndex(b) < int(args.size()) ? argv[Cmd::argIndex(b)] : 0;
        else if (b != Cmd::CS)
            cmdReport[2 + i] = uchar(b);
    }
    // The checksum covers bytes 1 to 7, so it is computed last.
    for (int i = 0; i < 7; ++i) {
        if (bytes[i] == Cmd::CS)
            cmdReport[2 + i] = hidCS(cmdReport + 1);
    }
}

void Hid_Thread::runWrite(const Cmd::Write &command, int did, std::initializer_list<uchar> args, const uchar *block)
{
    if (!waitHidIdle()) {
        qCDebug(lcHid) << command.failureLine;
        return;
    }
    fillCommandReport(command.opcode, command.bytes, args);
    if (command.blockLength > 0)
        std::copy_n(block, command.blockLength, payload);
    sendCommand(did, command.blockLength, command.pause == Cmd::Settle);
    if (command.pause == Cmd::AfterEight)
        QThread::msleep(kAfterEightMs);
}

void Hid_Thread::runRepeated(const Cmd::Write &command, int did, uchar value)
{
    if (!waitHidIdle()) {
        qCDebug(lcHid) << command.failureLine;
        return;
    }
    // Only the first report waits for the handshake; a device with isGun set
    // takes one report, any other four (n = 1 to 4).
    for (uchar n = 1; n <= 4; ++n) {
        fillCommandReport(command.opcode, command.bytes, {n, value});
        sendCommand(did, 0, true);
        if (m_window && m_window->isGun())
            break;
    }
}

bool Hid_Thread::runRead(const Cmd::Read &command, int did, std::initializer_list<uchar> args,
                         std::initializer_list<uchar *> outputs)
{
    if (!waitHidIdle()) {
        qCDebug(lcHid) << command.failureLine;
        return false;
    }
    fillCommandReport(command.opcode, command.bytes, args);
    std::fill_n(ackReport, sizeof ackReport, 0);
    if (command.presetOutputs) {
        ackReport[1] = command.answerOpcode;
        int i = 2;
        for (uchar *output : outputs)
            ackReport[i++] = *output;
    }
    const bool answered = exchangeCommand(did, 0);
    int i = 2;
    for (uchar *output : outputs)
        *output = ackReport[i++];
    return answered;
}

void Hid_Thread::runHeadset(std::initializer_list<uchar> report)
{
    std::fill_n(cmdReport, sizeof cmdReport, 0);
    std::copy(report.begin(), report.end(), cmdReport);
    headSetHidSet(kHeadsetDevice, kHeadsetReportLength);
}
