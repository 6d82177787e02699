#include "ui_driver.h"

#include "app/widget.h"
#include "bridge/myqquickview.h"

#include <QQuickItem>
#include <QRegularExpression>
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

// What a name points at: an item, or a key's place on the keyboard picture.
struct Target
{
    QQuickItem *item = nullptr;
    QRectF area;   // in the item's coordinates
};

Target locate(Widget &window, const QString &objectName)
{
    static const QRegularExpression keyName(QStringLiteral("^key(\\d+)$"));
    const QRegularExpressionMatch key = keyName.match(objectName);
    if (!key.hasMatch()) {
        QQuickItem *item = find(window, objectName);
        return {item, item ? QRectF(0, 0, item->width(), item->height()) : QRectF()};
    }
    QQuickItem *keyboard = find(window, QStringLiteral("keyboard"));
    QVariant area;
    if (!keyboard || !QMetaObject::invokeMethod(keyboard, "keyRect", Q_RETURN_ARG(QVariant, area),
                                                Q_ARG(QVariant, key.captured(1).toInt())))
        return {};
    return {keyboard, area.toRectF()};
}

bool visibleOnScreen(const Target &target)
{
    QQuickItem *item = target.item;
    return item && item->isVisible() && item->opacity() > 0 && !target.area.isEmpty();
}

QPoint widgetPoint(const Target &target, QPointF at)
{
    if (at.x() < 0 || at.y() < 0)
        at = QPointF(target.area.width() / 2, target.area.height() / 2);
    return target.item->mapToScene(target.area.topLeft() + at).toPoint();
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

bool shown(Widget &window, const QString &objectName)
{
    return visibleOnScreen(locate(window, objectName));
}

bool click(Widget &window, const QString &objectName, Qt::MouseButton button, QPointF at)
{
    const Target target = locate(window, objectName);
    if (!visibleOnScreen(target))
        return false;
    const QPoint point = widgetPoint(target, at);
    QTest::mouseMove(window.view(), point);
    QTest::mouseClick(window.view(), button, {}, point);
    QCoreApplication::processEvents();
    return true;
}

bool hover(Widget &window, const QString &objectName, QPointF at)
{
    const Target target = locate(window, objectName);
    if (!visibleOnScreen(target))
        return false;
    QTest::mouseMove(window.view(), widgetPoint(target, at));
    QCoreApplication::processEvents();
    return true;
}

bool doubleClick(Widget &window, const QString &objectName, QPointF at)
{
    const Target target = locate(window, objectName);
    if (!visibleOnScreen(target))
        return false;
    const QPoint point = widgetPoint(target, at);
    QTest::mouseDClick(window.view(), Qt::LeftButton, {}, point);
    QCoreApplication::processEvents();
    return true;
}

bool drag(Widget &window, const QString &objectName, QPointF from, QPointF to)
{
    const Target target = locate(window, objectName);
    if (!visibleOnScreen(target))
        return false;
    const QPoint start = widgetPoint(target, from);
    const QPoint end = widgetPoint(target, to);
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
