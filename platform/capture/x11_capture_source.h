#pragma once
#include "key_translation.h"

#include <QObject>

class QSocketNotifier;
typedef struct _XDisplay Display;

// Global capture on X11: XInput 2.2 raw key and button events of every
// device, selected on the root window, so that capture works whatever window
// has the focus and whoever holds a grab. A connection of its own is read
// through a socket notifier on the GUI thread.
class X11CaptureSource : public QObject
{
public:
    explicit X11CaptureSource(CaptureSink &sink, QObject *parent = nullptr);
    ~X11CaptureSource() override;
    // False when there is no X server or it lacks XInput 2.
    bool start();

private:
    void readEvents();

    CaptureSink &m_sink;
    KeyTranslation m_translation;
    Display *m_display = nullptr;
    int m_xiOpcode = 0;
    QSocketNotifier *m_notifier = nullptr;
};
