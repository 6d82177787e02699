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

class KeyboardModel;

// A scratch workspace and the real window with one virtual keyboard (entry
// 0 of the shipped table), detected and showing its main screen. The macro
// images are registered first, as the program does before loading its UI.
struct PageRig
{
    PageRig();

    QQuickItem *item(const QString &objectName) const { return ui::find(*window, objectName); }
    // The virtual keyboard's model (its matrix, macro slots, pictures, lighting).
    KeyboardModel *keyboard() const;

    TestWorkspace workspace;
    VirtualHidBackend *hid = nullptr;
    std::unique_ptr<Widget> window;
    bool ready = false;
};

// Opens a drop-down list of the pages and clicks its row once the list has
// slid open; false when a part is missing.
bool chooseRow(PageRig &rig, const QString &list, int position);

// With GEARCONSOLE_SCREENSHOT_DIR set, saves the window as it is now under
// that folder; true when there was nothing to do or the file was written.
bool saveScreenshot(PageRig &rig, const QString &fileName);
