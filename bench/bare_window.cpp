// The least a Qt Quick window of the program's kind costs to start on this
// machine: a frameless translucent 1000 x 640 window holding a QQuickWidget
// with one rectangle (with --with-text, also one line of text), software
// renderer, its first paint logged as the program logs its own. startup.sh
// prints the program's figure beside it.
#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QUrl>

#include <cstdio>

namespace {
class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [] {
                std::printf("first frame at %lld\n", QDateTime::currentMSecsSinceEpoch());
                std::fflush(stdout);
            }, Qt::QueuedConnection);
        }
        return false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setAttribute(Qt::WA_TranslucentBackground);
    auto *view = new QQuickWidget(&window);
    view->setClearColor(Qt::transparent);
    // --with-text adds one line of text: what the text stack (font
    // matching, shaping, glyph rendering) costs on its own.
    const bool withText = app.arguments().contains(QStringLiteral("--with-text"));
    view->setSource(QUrl(withText
        ? QStringLiteral("data:text/plain,import QtQuick; Rectangle { width: 1000; height: 640; color: \"#202020\"; "
                         "Text { text: \"VORTAN\"; color: \"white\" } }")
        : QStringLiteral("data:text/plain,import QtQuick; Rectangle { width: 1000; height: 640; color: \"#202020\" }")));
    window.resize(1000, 640);
    FirstPaint reporter;
    view->installEventFilter(&reporter);
    window.show();
    return app.exec();
}
