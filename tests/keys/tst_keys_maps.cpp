// The capture's scan map and usage map, row by row as the key tables list
// them, plus the keystrokes the capture must tell apart.
#include "keys/key_maps.h"

#include <QMap>
#include <QTest>

namespace {

// One row of the scan table: scan codes with one extended flag and the
// virtual-key codes they give, position by position.
struct ScanRowSpec
{
    QList<int> scanCodes;
    int extended;
    QList<int> virtualKeys;
};

QList<int> range(int first, int last)
{
    QList<int> codes;
    for (int c = first; c <= last; ++c)
        codes.append(c);
    return codes;
}

QList<int> operator+(QList<int> a, const QList<int> &b)
{
    a.append(b);
    return a;
}

const QList<ScanRowSpec> &scanRows()
{
    static const QList<ScanRowSpec> rows = {
        {{0x01}, 0, {0x1B}},
        {range(0x02, 0x0A) + QList<int>{0x0B}, 0, range(0x31, 0x39) + QList<int>{0x30}},
        {{0x0C, 0x0D, 0x0E, 0x0F}, 0, {0xBD, 0xBB, 0x08, 0x09}},
        {range(0x10, 0x19), 0, {0x51, 0x57, 0x45, 0x52, 0x54, 0x59, 0x55, 0x49, 0x4F, 0x50}},
        {{0x1A, 0x1B, 0x1C}, 0, {0xDB, 0xDD, 0x0D}},
        {{0x1C}, 1, {0x0E}},
        {{0x1D}, 0, {0xA2}},
        {{0x1D}, 1, {0xA3}},
        {range(0x1E, 0x26), 0, {0x41, 0x53, 0x44, 0x46, 0x47, 0x48, 0x4A, 0x4B, 0x4C}},
        {{0x27, 0x28, 0x29, 0x2A, 0x2B}, 0, {0xBA, 0xDE, 0xC0, 0xA0, 0xDC}},
        {range(0x2C, 0x32), 0, {0x5A, 0x58, 0x43, 0x56, 0x42, 0x4E, 0x4D}},
        {{0x33, 0x34, 0x35}, 0, {0xBC, 0xBE, 0xBF}},
        {{0x35}, 1, {0x6F}},
        {{0x36}, 1, {0xA1}},
        {{0x37}, 0, {0x6A}},
        {{0x37}, 1, {0x2C}},
        {{0x38}, 0, {0xA4}},
        {{0x38}, 1, {0xA5}},
        {{0x39, 0x3A}, 0, {0x20, 0x14}},
        {range(0x3B, 0x44), 0, range(0x70, 0x79)},
        {{0x45}, 0, {0x13}},
        {{0x45}, 1, {0x90}},
        {{0x46}, 0, {0x91}},
        {{0x47, 0x48, 0x49}, 0, {0x67, 0x68, 0x69}},
        {{0x47, 0x48, 0x49}, 1, {0x24, 0x26, 0x21}},
        {{0x4A}, 0, {0x6D}},
        {{0x4B, 0x4C, 0x4D}, 0, {0x64, 0x65, 0x66}},
        {{0x4B, 0x4D}, 1, {0x25, 0x27}},
        {{0x4E}, 0, {0x6B}},
        {{0x4F, 0x50, 0x51}, 0, {0x61, 0x62, 0x63}},
        {{0x4F, 0x50, 0x51}, 1, {0x23, 0x28, 0x22}},
        {{0x52, 0x53}, 0, {0x60, 0x6E}},
        {{0x52, 0x53}, 1, {0x2D, 0x2E}},
        {{0x56, 0x57, 0x58}, 0, {0xE2, 0x7A, 0x7B}},
        {{0x5B, 0x5D}, 1, {0x5B, 0x5D}},
        {{0x6E}, 0, {0x86}},
    };
    return rows;
}

// One row of the usage table: virtual-key codes and their HID usage codes.
struct UsageRowSpec
{
    QList<int> virtualKeys;
    QList<int> usages;
};

const QList<UsageRowSpec> &usageRows()
{
    static const QList<UsageRowSpec> rows = {
        {range(0x41, 0x5A), range(0x04, 0x1D)},
        {range(0x31, 0x39) + QList<int>{0x30}, range(0x1E, 0x26) + QList<int>{0x27}},
        {{0x0D, 0x1B, 0x08, 0x09, 0x20}, {0x28, 0x29, 0x2A, 0x2B, 0x2C}},
        {{0x0E}, {0x58}},
        {{0xBD, 0xBB, 0xDB, 0xDD, 0xDC}, {0x2D, 0x2E, 0x2F, 0x30, 0x31}},
        {{0xBA, 0xDE, 0xC0, 0xBC, 0xBE, 0xBF}, {0x33, 0x34, 0x35, 0x36, 0x37, 0x38}},
        {{0x14}, {0x39}},
        {range(0x70, 0x7B), range(0x3A, 0x45)},
        {{0x2C, 0x91, 0x13}, {0x46, 0x47, 0x48}},
        {{0x2D, 0x24, 0x21, 0x2E, 0x23, 0x22}, {0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E}},
        {{0x27, 0x25, 0x28, 0x26}, {0x4F, 0x50, 0x51, 0x52}},
        {{0x90, 0x6F, 0x6A, 0x6D, 0x6B}, {0x53, 0x54, 0x55, 0x56, 0x57}},
        {range(0x61, 0x69), range(0x59, 0x61)},
        {{0x60, 0x6E}, {0x62, 0x63}},
        {{0xE2, 0x5D, 0xFF}, {0x64, 0x65, 0x66}},
        {range(0x7C, 0x87), range(0x68, 0x73)},
        {{0xC2, 0xC1, 0xEB}, {0x85, 0x87, 0x8B}},
        {{0xA2, 0xA0, 0xA4, 0x5B, 0xA3, 0xA1, 0xA5, 0x5C}, {0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7}},
    };
    return rows;
}

QMap<int, int> expectedScanMap()
{
    QMap<int, int> map;
    for (const ScanRowSpec &row : scanRows()) {
        for (int i = 0; i < row.scanCodes.size(); ++i)
            map.insert(row.scanCodes[i] * 256 + row.extended, row.virtualKeys[i]);
    }
    return map;
}

QMap<int, int> expectedUsageMap()
{
    QMap<int, int> map;
    for (const UsageRowSpec &row : usageRows()) {
        for (int i = 0; i < row.virtualKeys.size(); ++i)
            map.insert(row.virtualKeys[i], row.usages[i]);
    }
    return map;
}

QString hex(int value) { return QStringLiteral("0x%1").arg(value, 2, 16, QLatin1Char('0')); }

} // namespace

class TestKeyMaps : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreWellFormed()
    {
        for (const ScanRowSpec &row : scanRows())
            QCOMPARE(row.scanCodes.size(), row.virtualKeys.size());
        for (const UsageRowSpec &row : usageRows())
            QCOMPARE(row.virtualKeys.size(), row.usages.size());
        QCOMPARE(expectedScanMap().size(), kScanMapEntries);
        QCOMPARE(expectedUsageMap().size(), kUsageMapEntries);
        QCOMPARE(kScanMapEntries, 105);
        QCOMPARE(kUsageMapEntries, 121);
    }

    void scanMapRow_data()
    {
        QTest::addColumn<int>("row");
        for (int r = 0; r < scanRows().size(); ++r) {
            const ScanRowSpec &row = scanRows()[r];
            QTest::addRow("scan %s E%d", qPrintable(hex(row.scanCodes.first())), row.extended) << r;
        }
    }

    void scanMapRow()
    {
        QFETCH(int, row);
        const ScanRowSpec &rowData = scanRows()[row];
        for (int i = 0; i < rowData.scanCodes.size(); ++i)
            QVERIFY2(virtualKeyOfScan(rowData.scanCodes[i], rowData.extended == 1) == rowData.virtualKeys[i],
                     qPrintable(hex(rowData.scanCodes[i]) + QStringLiteral(" gives ")
                                + hex(virtualKeyOfScan(rowData.scanCodes[i], rowData.extended == 1))));
    }

    void usageMapRow_data()
    {
        QTest::addColumn<int>("row");
        for (int r = 0; r < usageRows().size(); ++r)
            QTest::addRow("vk %s", qPrintable(hex(usageRows()[r].virtualKeys.first()))) << r;
    }

    void usageMapRow()
    {
        QFETCH(int, row);
        const UsageRowSpec &rowData = usageRows()[row];
        for (int i = 0; i < rowData.virtualKeys.size(); ++i)
            QVERIFY2(usageOfVirtualKey(rowData.virtualKeys[i]) == rowData.usages[i],
                     qPrintable(hex(rowData.virtualKeys[i]) + QStringLiteral(" gives ")
                                + hex(usageOfVirtualKey(rowData.virtualKeys[i]))));
    }

    // Every key the tables do not list reads 0, so nothing extra is captured.
    void unlistedKeysReadZero()
    {
        const QMap<int, int> scans = expectedScanMap();
        for (int scan = 0; scan <= 0xFF; ++scan) {
            for (int e = 0; e <= 1; ++e)
                QCOMPARE(virtualKeyOfScan(scan, e == 1), scans.value(scan * 256 + e, 0));
        }
        const QMap<int, int> usages = expectedUsageMap();
        for (int vk = 0; vk <= 0xFF; ++vk)
            QCOMPARE(usageOfVirtualKey(vk), usages.value(vk, 0));
        QCOMPARE(virtualKeyOfScan(-1, false), 0);
        QCOMPARE(virtualKeyOfScan(0x100, false), 0);
        QCOMPARE(usageOfVirtualKey(0x100), 0);
        QCOMPARE(usageOfVirtualKey(-1), 0);
    }

    void keypadEnterStaysApartFromEnter()
    {
        QCOMPARE(virtualKeyOfScan(0x1C, true), 0x0E);
        QCOMPARE(virtualKeyOfScan(0x1C, false), 0x0D);
        QCOMPARE(usageOfKeystroke(0x1C, true, false), 0x58);
        QCOMPARE(usageOfKeystroke(0x1C, false, false), 0x28);
    }

    void pauseAndNumLockShareAScanCode()
    {
        QCOMPARE(virtualKeyOfScan(0x45, false), 0x13);
        QCOMPARE(virtualKeyOfScan(0x45, true), 0x90);
        QCOMPARE(usageOfKeystroke(0x45, false, false), 0x48);
        QCOMPARE(usageOfKeystroke(0x45, true, false), 0x53);
    }

    void onlyTheLeftWindowsKeyIsCaptured()
    {
        QCOMPARE(usageOfKeystroke(0x5B, true, false), 0xE3);
        QCOMPARE(virtualKeyOfScan(0x5C, true), 0);
        QCOMPARE(usageOfKeystroke(0x5C, true, false), 0);
    }

    void rightShiftOnlyWithTheExtendedFlag()
    {
        QCOMPARE(usageOfKeystroke(0x36, true, false), 0xE5);
        QCOMPARE(usageOfKeystroke(0x36, false, false), 0);
    }

    void ctrlBreakReadsAsPause()
    {
        QCOMPARE(virtualKeyOfKeystroke(0x46, true, false), 0x13);
        QCOMPARE(usageOfKeystroke(0x46, true, false), 0x48);
        QCOMPARE(usageOfKeystroke(0x46, false, false), 0x47);  // Scroll Lock
    }

    void altPrintScreenReadsAsPrintScreen()
    {
        QCOMPARE(usageOfKeystroke(0x54, false, true), 0x46);
        QCOMPARE(usageOfKeystroke(0x54, false, false), 0);
        QCOMPARE(usageOfKeystroke(0x37, true, false), 0x46);
    }

    void scanCodesAboveAByteCountAsZero()
    {
        QCOMPARE(usageOfKeystroke(0x11E, false, false), 0);  // would be A if cut to a byte
        QCOMPARE(usageOfKeystroke(0x146, true, false), 0);
        QCOMPARE(usageOfKeystroke(0x1E, false, false), 0x04);
    }
};

QTEST_APPLESS_MAIN(TestKeyMaps)
#include "tst_keys_maps.moc"
