#include "render_backend.h"

#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "platform/logging.h"

#include <QDateTime>
#include <QEvent>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>

#include <malloc.h>

namespace {

// Waits for the view's first paint; the queued log line runs once that paint
// has reached the window.
class FirstFrameReporter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] {
                qCInfo(lcShell) << "first frame at" << QDateTime::currentMSecsSinceEpoch();
                deleteLater();
            }, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void chooseSceneGraphBackend()
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

void reportFirstFrame(Widget &window)
{
    window.view()->installEventFilter(new FirstFrameReporter(&window));
}

void releaseStartupMemory(Widget &window)
{
    // Loading the UI leaves freed heap behind that the allocator would keep
    // for the whole resident run; hand it back once the main screen is up.
    QTimer::singleShot(kStartupSettledMs, &window, [] { malloc_trim(0); });
}
