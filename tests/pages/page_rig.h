#pragma once
#include "app/render_backend.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/virtual/virtual_backend.h"
#include "device/virtual/virtual_environment.h"
#include "support/test_workspace.h"
#include "support/ui_driver.h"

#include <QQuickItem>
#include <QtTest>

#include <memory>

// A scratch workspace and the real window with one virtual keyboard (entry
// 0 of the shipped table), detected and showing its main screen.
struct PageRig
{
    PageRig()
    {
        hid = &installVirtualBackend();
        window = std::make_unique<Widget>();
        addVirtualDevicesForEntry(*hid, window->device().devices(), 0);
        window->checkDevice();
        ready = ui::waitForMainScreen(*window)
             && QTest::qWaitFor([&] { return ui::find(*window, "keyboardPages") != nullptr; }, 5000)
             && QTest::qWaitFor([&] { return !ui::rootProperty(*window, "busy").toBool(); }, 5000);
    }

    QQuickItem *item(const QString &objectName) const { return ui::find(*window, objectName); }

    TestWorkspace workspace;
    VirtualHidBackend *hid = nullptr;
    std::unique_ptr<Widget> window;
    bool ready = false;
};
