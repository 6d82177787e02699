#include "page_rig.h"

#include "device/virtual/keyboard_model.h"
#include "macros/encoding/macro_images_qml.h"

#include <QDir>

PageRig::PageRig()
{
    registerMacroImagesForQml();
    hid = &installVirtualBackend();
    window = std::make_unique<Widget>();
    addVirtualDevicesForEntry(*hid, window->device().devices(), 0);
    window->checkDevice();
    ready = ui::waitForMainScreen(*window)
         && QTest::qWaitFor([&] { return ui::find(*window, "keyboardPages") != nullptr; }, 5000)
         && QTest::qWaitFor([&] { return !ui::rootProperty(*window, "busy").toBool(); }, 5000);
}

KeyboardModel *PageRig::keyboard() const
{
    for (const auto &device : hid->devices()) {
        if (auto *model = dynamic_cast<KeyboardModel *>(&device->model()))
            return model;
    }
    return nullptr;
}

bool chooseRow(PageRig &rig, const QString &list, int position)
{
    const QString row = QStringLiteral("%1Item%2").arg(list).arg(position);
    if (!ui::click(*rig.window, list))
        return false;
    if (!QTest::qWaitFor([&] { QQuickItem *item = rig.item(row); return item && item->isVisible(); }, 2000))
        return false;
    QTest::qWait(250);   // the slide takes at most 180 ms
    return ui::click(*rig.window, row);
}

bool saveScreenshot(PageRig &rig, const QString &fileName)
{
    const QString dir = qEnvironmentVariable("GEARCONSOLE_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return true;
    QDir().mkpath(dir);
    QTest::qWait(200);   // the view draws its next frame
    return rig.window->grab().save(QDir(dir).filePath(fileName));
}
