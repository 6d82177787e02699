// The bridge's macro transfer against a virtual keyboard (entry 0) and a
// virtual mouse (entry 1): what the slots hand over is what the device keeps.
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"
#include "device/virtual/keyboard_model.h"
#include "device/virtual/model_factory.h"
#include "device/virtual/mouse_model.h"
#include "device/virtual/virtual_backend.h"
#include "support/test_workspace.h"

#include <QtTest>

#include <memory>

namespace {

QVariantList numbers(const QList<int> &values)
{
    QVariantList list;
    for (int v : values)
        list << v;
    return list;
}

// `values` as bytes, followed by zeros up to `size`.
QByteArray slotBytes(const QList<int> &values, int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < values.size() && i < size; ++i)
        bytes[i] = char(values[i]);
    return bytes;
}

struct TransferRig
{
    TransferRig()
    {
        QMap<QString, QString> keyboardEntry = tableEntry("beef", "0001", "ff00", "0001", 64);
        keyboardEntry.insert(QStringLiteral("type"), QStringLiteral("0"));
        QMap<QString, QString> mouseEntry = tableEntry("beef", "0002", "ff00", "0001", 64);
        mouseEntry.insert(QStringLiteral("type"), QStringLiteral("1"));
        workspace.writeDeviceTable({keyboardEntry, mouseEntry});

        VirtualHidBackend &hid = installVirtualBackend();
        device = std::make_unique<Hid_Thread>();
        keyboard = addDevice(hid, 0);
        mouse = addDevice(hid, 1);
        // Detection hands every match to entry 0 (the last one wins), so each
        // entry is pointed at its device directly.
        device->setDevicePath(0, QString::fromLatin1(keyboard->identity().path));
        device->setDevicePath(1, QString::fromLatin1(mouse->identity().path));
        keyboard->clearRecords();
        mouse->clearRecords();

        view = std::make_unique<myQQuickView>();
        view->device = device.get();
    }

    std::shared_ptr<VirtualDevice> addDevice(VirtualHidBackend &hid, int index)
    {
        const DeviceInfo &info = device->devices()[index];
        return hid.add(std::make_shared<VirtualDevice>(
            VirtualDevice::Identity{"virtual:" + QByteArray::number(index), info.vid, info.pid, info.usagePage, info.usage},
            makeDeviceModel(info, index, false), info.isEncode));
    }

    KeyboardModel &keyboardModel() { return dynamic_cast<KeyboardModel &>(keyboard->model()); }
    MouseModel &mouseModel() { return dynamic_cast<MouseModel &>(mouse->model()); }

    TestWorkspace workspace;
    std::unique_ptr<Hid_Thread> device;
    std::shared_ptr<VirtualDevice> keyboard;
    std::shared_ptr<VirtualDevice> mouse;
    std::unique_ptr<myQQuickView> view;
};

} // namespace

class TestMacroTransfer : public QObject
{
    Q_OBJECT

private slots:
    void init() { std::fill_n(Hid_Thread::SecrecyCode, 8, 0); }

    void keyboardImageReachesItsSlot()
    {
        TransferRig rig;
        const QList<int> image{0x01, 0x00, 0, 0, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00};
        QCOMPARE(rig.view->keyboardSendMacroData(numbers(image), 3), QVariant(true));
        QCOMPARE(rig.keyboardModel().macro(3), slotBytes(image, 512));
        QCOMPARE(rig.keyboardModel().macro(2), QByteArray(512, '\0'));
        QVERIFY(rig.mouse->records().isEmpty());
    }

    void keyboardSlotsZeroToFour()
    {
        TransferRig rig;
        for (int slot = 0; slot <= 4; ++slot)
            rig.view->keyboardSendMacroData(numbers({slot + 1, 0, 0, 0, 0x10 + slot}), uchar(slot));
        for (int slot = 0; slot <= 4; ++slot)
            QCOMPARE(rig.keyboardModel().macro(slot), slotBytes({slot + 1, 0, 0, 0, 0x10 + slot}, 512));
    }

    void keyboardSlotFiveSendsNothing()
    {
        TransferRig rig;
        QCOMPARE(rig.view->keyboardSendMacroData(numbers({1, 0, 0, 0, 4, 0, 1, 0}), 5), QVariant(true));
        QCOMPARE(rig.view->keyboardSendMacroData(numbers({1, 0}), 255), QVariant(true));
        QVERIFY(rig.keyboard->records().isEmpty());
        for (int slot = 0; slot <= 4; ++slot)
            QCOMPARE(rig.keyboardModel().macro(slot), QByteArray(512, '\0'));
    }

    void keyboardValuesAreCutToTheLowByte()
    {
        TransferRig rig;
        QVariantList image{300, 256 + 7, -1, QStringLiteral("not a number"), QStringLiteral("65"), QVariant(), 2.6};
        rig.view->keyboardSendMacroData(image, 0);
        QCOMPARE(rig.keyboardModel().macro(0), slotBytes({0x2C, 0x07, 0xFF, 0x00, 0x41, 0x00, 0x03}, 512));
    }

    void keyboardEntriesBeyondTheSlotAreDropped()
    {
        TransferRig rig;
        QVariantList image;
        for (int i = 0; i < 600; ++i)
            image << (i % 250) + 1;
        rig.view->keyboardSendMacroData(image, 1);
        const QByteArray kept = rig.keyboardModel().macro(1);
        QCOMPARE(kept.size(), 512);
        QCOMPARE(quint8(kept.at(511)), quint8((511 % 250) + 1));
        QCOMPARE(rig.keyboardModel().macro(2), QByteArray(512, '\0'));
    }

    void mouseImageReachesItsSlot()
    {
        TransferRig rig;
        const QList<int> image{0x00, 0x01, 0x01, 0xF0, 0xB2, 0xF0, 0x00, 0x00};
        QCOMPARE(rig.view->mouseSendMacroData(numbers(image), 11), QVariant(true));
        QCOMPARE(rig.mouseModel().longMacro(11), slotBytes(image, 192));
        QCOMPARE(rig.mouseModel().longMacro(0), QByteArray(192, '\0'));
        QVERIFY(rig.keyboard->records().isEmpty());
    }

    void mouseSlotAsText()
    {
        TransferRig rig;
        rig.view->mouseSendMacroData(numbers({0, 1, 1, 4, 0, 0}), QStringLiteral("4"));
        QCOMPARE(rig.mouseModel().longMacro(4), slotBytes({0, 1, 1, 4}, 192));
    }

    void mouseSlotTwelveSendsNothing_data()
    {
        QTest::addColumn<QVariant>("slot");
        QTest::newRow("12") << QVariant(12);
        QTest::newRow("255") << QVariant(255);
        QTest::newRow("-1 (255 as 8 bits)") << QVariant(-1);
    }
    void mouseSlotTwelveSendsNothing()
    {
        QFETCH(QVariant, slot);
        TransferRig rig;
        QCOMPARE(rig.view->mouseSendMacroData(numbers({0, 1, 1, 4, 0, 0}), slot), QVariant(true));
        QVERIFY(rig.mouse->records().isEmpty());
        for (int s = 0; s < 12; ++s)
            QCOMPARE(rig.mouseModel().longMacro(s), QByteArray(192, '\0'));
    }

    void mouseSlotTakenToEightBits()
    {
        // 256 + 2 is slot 2 once taken to 8 bits.
        TransferRig rig;
        rig.view->mouseSendMacroData(numbers({0, 1, 1, 4, 0, 0}), 258);
        QCOMPARE(rig.mouseModel().longMacro(2), slotBytes({0, 1, 1, 4}, 192));
    }

    void mouseNegativeAndLargeValues()
    {
        TransferRig rig;
        QVariantList image{-1, -128, QStringLiteral("-2"), 511, QStringLiteral("x"), -0.4};
        rig.view->mouseSendMacroData(image, 0);
        QCOMPARE(rig.mouseModel().longMacro(0), slotBytes({0xFF, 0x80, 0xFE, 0xFF, 0x00, 0x00}, 192));
    }

    void mouseEntriesBeyondTheSlotAreDropped()
    {
        TransferRig rig;
        QVariantList image;
        for (int i = 0; i < 300; ++i)
            image << i;
        rig.view->mouseSendMacroData(image, 5);
        QCOMPARE(rig.mouseModel().longMacro(5), slotBytes([] {
                     QList<int> first;
                     for (int i = 0; i < 192; ++i)
                         first << i;
                     return first;
                 }(), 192));
        QCOMPARE(rig.mouseModel().longMacro(6), QByteArray(192, '\0'));
    }

    void macroAddressChangesNothing()
    {
        TransferRig rig;
        rig.view->keyboardSetMacroAddr(QVariant(7));
        rig.view->keyboardSetMacroAddr(QStringLiteral("nonsense"));
        QVERIFY(rig.keyboard->records().isEmpty());
        QVERIFY(rig.mouse->records().isEmpty());
    }
};

QTEST_MAIN(TestMacroTransfer)
#include "tst_macro_transfer.moc"
