#pragma once
#include <QPointF>
#include <QString>
#include <QVariant>

class QQuickItem;
class Widget;

// Drives the real window's UI as a user would: items are found by their
// objectName and clicked at a point inside them through the view widget.
// The keys of the keyboard picture are no items: "key<n>" names key n's
// place on the picture ("keyboard"), found through its keyRect().
namespace ui {

// Shows the window and waits until the main screen replaced the power-on logo.
bool waitForMainScreen(Widget &window, int timeoutMs = 10000);
QQuickItem *find(Widget &window, const QString &objectName);
// Whether the item or key is on screen.
bool shown(Widget &window, const QString &objectName);
// Clicks the item or key (its centre, or `at` from its top left corner);
// false when it does not exist or is not visible.
bool click(Widget &window, const QString &objectName, Qt::MouseButton button = Qt::LeftButton,
           QPointF at = QPointF(-1, -1));
bool doubleClick(Widget &window, const QString &objectName, QPointF at = QPointF(-1, -1));
// Presses at one point of the item or key, moves to another and releases there.
bool drag(Widget &window, const QString &objectName, QPointF from, QPointF to);
// Moves the pointer over the item or key, as click() would.
bool hover(Widget &window, const QString &objectName, QPointF at = QPointF(-1, -1));
// A property of the root document ("main").
QVariant rootProperty(Widget &window, const char *name);

} // namespace ui
