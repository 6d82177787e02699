#pragma once
#include <QObject>

class Widget;
class myQQuickView;

// The window controller ("ui_Ctl"): sets up the frameless window and its
// view, and lets the UI move, minimise and hide the window and show its busy
// cover.
class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    explicit Ui_Controler(Widget *window);

    myQQuickView *view() const { return m_view; }

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    Widget *m_window;
    myQQuickView *m_view;
};
