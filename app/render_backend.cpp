#include "render_backend.h"

#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "platform/logging.h"

#include <QBasicTimer>
#include <QDateTime>
#include <QEvent>
#include <QQmlEngine>
#include <QQmlIncubationController>
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

// A QQuickWidget leaves its engine without an incubation controller, and
// without one every asynchronous loader builds its whole tree at once. This
// one waits for the view's first paint (or a moment, should the window not
// be painted), then builds in slices from the event loop so that frames and
// input still get through.
class SlicedIncubation : public QObject, public QQmlIncubationController
{
public:
    explicit SlicedIncubation(QWidget *view) : QObject(view)
    {
        view->installEventFilter(this);
        QTimer::singleShot(kFirstFrameWaitMs, this, [this] { begin(); });
    }

protected:
    void incubatingObjectCountChanged(int count) override { schedule(count); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            begin();
        }
        return false;
    }

    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() != slices.timerId())
            return QObject::timerEvent(event);
        incubateFor(kIncubationSliceMs);
        schedule(incubatingObjectCount());
    }

private:
    void begin()
    {
        started = true;
        schedule(incubatingObjectCount());
    }

    void schedule(int count)
    {
        if (count > 0 && started)
            slices.start(0, this);
        else
            slices.stop();
        if (count == 0 && started && !reportedBuilt) {
            reportedBuilt = true;
            qCInfo(lcShell) << "main screen built at" << QDateTime::currentMSecsSinceEpoch();
        }
    }

    QBasicTimer slices;
    bool started = false;
    bool reportedBuilt = false;
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

void buildAfterFirstFrame(Widget &window)
{
    QQmlEngine *engine = window.view()->engine();
    if (!engine->incubationController())
        engine->setIncubationController(new SlicedIncubation(window.view()));
}

void keepLargeBlocksOutOfThreadHeaps()
{
    // glibc raises its mapping threshold each time a mapped block is freed
    // (a decode buffer of the power-on logo or the background), so that later
    // decode buffers come from the image reader thread's own heap; freed, they
    // stay on top of that heap, which malloc_trim does not hand back (0.5 MiB
    // for the whole run). Setting the threshold (to its usual 128 KiB) keeps
    // it fixed, and the trim threshold with it.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}

void releaseStartupMemory(Widget &window)
{
    // Loading the UI leaves freed heap behind that the allocator would keep
    // for the whole resident run; hand it back once the main screen is up.
    QTimer::singleShot(kStartupSettledMs, &window, [&window] {
        QQmlEngine *engine = window.view()->engine();
        engine->collectGarbage();
        engine->trimComponentCache();
        malloc_trim(0);
    });
}
