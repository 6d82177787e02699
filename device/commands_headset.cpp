// The headset's 16-byte output reports (report ID FF), written to device 3
// without the busy handshake.
#include "hid_thread.h"

namespace {
constexpr uchar kReportId = 0xFF;
enum HeadsetCommand : uchar { Start = 0x01, Stop = 0x02, Config = 0x03, ColorArray = 0x04 };
} // namespace

void Hid_Thread::headSetSetLEDStop(uchar vc, uchar sur, uchar enc, uchar magic, uchar AAMute)
{
    runHeadset({kReportId, Stop, vc, sur, enc, magic, AAMute});
}

void Hid_Thread::headSetSetLEDConfig(uchar mode, uchar sizeL, uchar sizeM, uchar Interval_L, uchar Interval_M)
{
    runHeadset({kReportId, Config, mode, sizeL, sizeM, Interval_L, Interval_M});
}

void Hid_Thread::headSetSetLEDColorArray(uchar index_L, uchar index_M, uchar r1, uchar g1, uchar b1, uchar r2, uchar g2,
                                         uchar b2, uchar r3, uchar g3, uchar b3, uchar r4, uchar g4, uchar b4)
{
    runHeadset({kReportId, ColorArray, index_L, index_M, r1, g1, b1, r2, g2, b2, r3, g3, b3, r4, g4, b4});
}

void Hid_Thread::headSetSetLEDStart() { runHeadset({kReportId, Start}); }
