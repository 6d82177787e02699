#pragma once
#include <QObject>

#include <functional>

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

    // How the desktop's tray is looked for; tests put their own answer here.
    static std::function<bool()> trayCheck;

    myQQuickView *view() const { return m_view; }

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();
    // Hands a drag of the window to the window system (the compositor's or
    // window manager's own move, the only way a Wayland client can move).
    // Called while the button that started the drag is held; false where
    // the window system offers no such move (an X server without a window
    // manager): the UI then moves the window by offsets.
    bool startSystemMove();
    // Whether the desktop has a tray to bring the hidden window back from.
    bool hasTray();
    // Ends the program as the tray menu's Quit does (offered by the window
    // where there is no tray).
    void quit();

private:
    Widget *m_window;
    myQQuickView *m_view;
};
