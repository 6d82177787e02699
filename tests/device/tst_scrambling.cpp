// Checksum and the 8-byte scrambling of command reports.
#include "device/scrambling.h"
#include "device/hid_thread.h"

#include <QRandomGenerator>
#include <QtTest>

class TestScrambling : public QObject
{
    Q_OBJECT

private slots:
    void checksum_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("expected");
        QTest::newRow("seven zeros") << QByteArray(7, '\0') << 0xff;
        QTest::newRow("1 2 3") << QByteArray::fromHex("01020300000000") << 0xf9;
        QTest::newRow("sum wraps") << QByteArray::fromHex("ff020000000000") << 0xfe;
    }
    void checksum()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, expected);
        Hid_Thread hid;
        QCOMPARE(int(hid.hidCS(reinterpret_cast<uchar *>(bytes.data()))), expected);
    }

    void fixedVectors_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("scrambled");
        // 00..07, code all zero:
        //  swap 0-5 1-4 2-7 3-6   -> 05 04 07 06 01 00 03 02
        //  rotate left by 3 bits  -> 28 20 38 30 08 00 18 10
        //  + nibble-swapped "TeMvoRak" (45 56 d4 67 f6 25 16 b6)
        //                         -> 6d 76 0c 97 fe 25 2e c6
        QTest::newRow("zero code") << QByteArray::fromHex("0001020304050607") << QByteArray(8, '\0')
                                   << QByteArray::fromHex("6d760c97fe252ec6");
        // ff 80 00 00 00 00 00 01, code "418273" in bytes 1..6:
        //  swap                   -> 00 00 01 00 80 ff 00 00
        //  xor 34 31 38 32 37 33  -> 00 34 30 38 b2 c8 33 00
        //  rotate left by 3 bits  -> 01 a1 81 c5 96 41 98 00
        //  + key                  -> 46 f7 55 2c 8c 66 ae b6
        QTest::newRow("code 418273") << QByteArray::fromHex("ff80000000000001") << QByteArray("\0" "418273" "\0", 8)
                                     << QByteArray::fromHex("46f7552c8c66aeb6");
    }
    void fixedVectors()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, scrambled);
        QByteArray buffer = plain;
        Scrambling::encrypt(reinterpret_cast<uint8_t *>(buffer.data()), reinterpret_cast<const uint8_t *>(code.constData()));
        QCOMPARE(buffer.toHex(' '), scrambled.toHex(' '));
        Scrambling::decipher(reinterpret_cast<uint8_t *>(buffer.data()), reinterpret_cast<const uint8_t *>(code.constData()));
        QCOMPARE(buffer.toHex(' '), plain.toHex(' '));
    }

    void decipherUndoesEncryption()
    {
        QRandomGenerator random(20261207);
        Hid_Thread hid;
        for (int round = 0; round < 20000; ++round) {
            uchar data[8], code[8], original[8];
            for (int i = 0; i < 8; ++i) {
                data[i] = original[i] = uchar(random.bounded(256));
                code[i] = uchar(random.bounded(256));
            }
            hid.USBDataEncryption(data, code);
            hid.USBDataDecipher(data, code);
            QVERIFY2(std::equal(data, data + 8, original), qPrintable(QString::number(round)));
        }
    }

    void codeBytesZeroAndSevenTakeNoPart()
    {
        const uint8_t a[8] = {0x11, '4', '1', '8', '2', '7', '3', 0x22};
        const uint8_t b[8] = {0x00, '4', '1', '8', '2', '7', '3', 0x00};
        uint8_t x[8] = {1, 2, 3, 4, 5, 6, 7, 8}, y[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        Scrambling::encrypt(x, a);
        Scrambling::encrypt(y, b);
        QVERIFY(std::equal(x, x + 8, y));
    }
};

QTEST_GUILESS_MAIN(TestScrambling)
#include "tst_scrambling.moc"
