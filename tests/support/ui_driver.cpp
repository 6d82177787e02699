#include "ui_driver.h"

#include "app/widget.h"
#include "bridge/myqquickview.h"

#include <QQuickItem>
#include <QtTest>

namespace ui {

namespace {

QQuickItem *findIn(QQuickItem *item, const QString &objectName)
{
    if (!item)
        return nullptr;
    if (item->objectName() == objectName)
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findIn(child, objectName))
            return found;
    }
    return nullptr;
}

bool visibleOnScreen(QQuickItem *item)
{
    return item && item->isVisible() && item->opacity() > 0 && item->width() > 0 && item->height() > 0;
}

QPoint widgetPoint(QQuickItem *item, QPointF at)
{
    if (at.x() < 0 || at.y() < 0)
        at = QPointF(item->width() / 2, item->height() / 2);
    return item->mapToScene(at).toPoint();
}

} // namespace

bool waitForMainScreen(Widget &window, int timeoutMs)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    return QTest::qWaitFor([&] { return rootProperty(window, "mainScreenShown").toBool(); }, timeoutMs);
}

QQuickItem *find(Widget &window, const QString &objectName)
{
    return findIn(window.view()->rootObject(), objectName); // null root: nothing found
}

bool click(Widget &window, const QString &objectName, Qt::MouseButton button, QPointF at)
{
    QQuickItem *item = find(window, objectName);
    if (!visibleOnScreen(item))
        return false;
    const QPoint point = widgetPoint(item, at);
    QTest::mouseMove(window.view(), point);
    QTest::mouseClick(window.view(), button, {}, point);
    QCoreApplication::processEvents();
    return true;
}

bool doubleClick(Widget &window, const QString &objectName, QPointF at)
{
    QQuickItem *item = find(window, objectName);
    if (!visibleOnScreen(item))
        return false;
    const QPoint point = widgetPoint(item, at);
    QTest::mouseDClick(window.view(), Qt::LeftButton, {}, point);
    QCoreApplication::processEvents();
    return true;
}

bool drag(Widget &window, const QString &objectName, QPointF from, QPointF to)
{
    QQuickItem *item = find(window, objectName);
    if (!visibleOnScreen(item))
        return false;
    const QPoint start = widgetPoint(item, from);
    const QPoint end = widgetPoint(item, to);
    QTest::mousePress(window.view(), Qt::LeftButton, {}, start);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        QMouseEvent move(QEvent::MouseMove, start + (end - start) * i / steps,
                         window.view()->mapToGlobal(start + (end - start) * i / steps), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.view(), &move);
    }
    QTest::mouseRelease(window.view(), Qt::LeftButton, {}, end);
    QCoreApplication::processEvents();
    return true;
}

QVariant rootProperty(Widget &window, const char *name)
{
    QQuickItem *root = window.view()->rootObject();
    return root ? root->property(name) : QVariant();
}

} // namespace ui
