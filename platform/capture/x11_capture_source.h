#pragma once
#include "capture_source.h"
#include "key_translation.h"

class QSocketNotifier;
typedef struct _XDisplay Display;

// Global capture on X11, only while active: XInput 2.2 raw key events of
// every device, selected on the root window, so that capture works whatever
// window has the focus and whoever holds a grab; and the button presses and
// releases as the X server's RECORD extension reports them, since they carry
// the pointer's position at the event (a raw event has none). Inactive, the
// source selects no event at all. Its connections are read through socket
// notifiers on the GUI thread.
class X11CaptureSource : public CaptureSource
{
public:
    explicit X11CaptureSource(CaptureSink &sink, QObject *parent = nullptr);
    ~X11CaptureSource() override;
    // Connects to the X server; false when there is none or it lacks
    // XInput 2. Selects nothing yet. The first activation connects when
    // this was not called.
    bool start();
    void setActive(bool active) override;
    // One device event as RECORD reports it (the wire form of a core event).
    void buttonRecorded(const unsigned char *event);

private:
    void selectRawEvents(bool active);
    bool startRecordingButtons();
    void stopRecordingButtons();
    void readEvents();
    void readRecordedButtons();

    CaptureSink &m_sink;
    KeyTranslation m_translation;
    Display *m_display = nullptr;
    bool m_startTried = false;
    int m_xiOpcode = 0;
    QSocketNotifier *m_notifier = nullptr;
    // RECORD: a context on the main connection, its data on a second one
    // while active. Without the extension, buttons come as raw events whose
    // position is read from the pointer when the event is read.
    bool m_hasRecord = false;
    unsigned long m_recordContext = 0;
    Display *m_recordDisplay = nullptr;
    QSocketNotifier *m_recordNotifier = nullptr;
};
