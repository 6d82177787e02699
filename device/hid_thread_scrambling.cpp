// Hid_Thread: checksum, scrambling and the security-code probe.
#include "hid_thread.h"

#include "scrambling.h"

#include <QDateTime>
#include <QRandomGenerator>

quint8 Hid_Thread::SecrecyCode[8] = {};

uchar Hid_Thread::hidCS(uchar *cmd)
{
    uchar sum = 0;
    for (int i = 0; i < 7; ++i)
        sum = uchar(sum + cmd[i]);
    return uchar(~sum);
}

void Hid_Thread::USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode)
{
    Scrambling::encrypt(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode)
{
    Scrambling::decipher(FIFOBuf, SecrecyCode);
}

bool Hid_Thread::chkDeviceIsEnCode(int index)
{
    currentDevice = index;
    // Seeded with the time in seconds, as the probe always was: the four
    // bytes only have to differ from what a device answers by chance.
    QRandomGenerator random(quint32(QDateTime::currentSecsSinceEpoch()));
    const uchar r1 = uchar(random.generate());
    const uchar r2 = uchar(random.generate());
    const uchar r3 = uchar(random.generate());
    const uchar r4 = uchar(random.generate());

    if (isKnown(index)) {
        // For index 0 the code of the edition detection found there.
        const QByteArray code = interfaceEntry(index).sCode.toLatin1();
        if (code.size() == 6)
            std::copy_n(reinterpret_cast<const quint8 *>(code.constData()), 6, SecrecyCode + 1);
    }

    // A probe that did not run (the transport busy, no device, no answer) is
    // no echo, whatever the four bytes hold then: a busy transport leaves
    // them as they went in.
    uchar b1 = r1, b2 = r2, b3 = r3, b4 = r4;
    const bool answered = readSecrecyCode(0, b1, b2, b3, b4);
    return answered && b1 == r1 && b2 == r2 && b3 == r3 && b4 == r4;
}
