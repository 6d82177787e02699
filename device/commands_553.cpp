// Commands of the 553 controller family.
#include "hid_thread.h"

#include "platform/logging.h"

void Hid_Thread::hid553_00H_GetSecrecyCode(int did, uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    if (!waitHidIdle()) {
        qCDebug(lcHid) << "cmd Failed 00";
        return;
    }
    const uchar report[9] = {0x00, 0x00, byte1, byte2, byte3, byte4, 0x00, 0x00, 0x00};
    std::copy_n(report, 9, cmdReport);
    cmdReport[8] = hidCS(cmdReport + 1);
    std::fill_n(ackReport, 9, 0);
    exchangeCommand(did, 0);
    byte1 = ackReport[2];
    byte2 = ackReport[3];
    byte3 = ackReport[4];
    byte4 = ackReport[5];
}
