#pragma once
#include "capture_source.h"
#include "key_translation.h"

// Capture where no X server is reachable (Wayland, offscreen): while active,
// an application-wide event filter sees the keys and buttons of the
// program's own windows and translates them like the global source. Key
// repeats are skipped (Qt's Wayland platform sends each as a release and a
// press); when the program's window loses the keyboard, the keys still down
// are given up, since their releases go to another window.
class WindowCaptureSource : public CaptureSource
{
public:
    explicit WindowCaptureSource(CaptureSink &sink, QObject *parent = nullptr);
    void setActive(bool active) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CaptureSink &m_sink;
    KeyTranslation m_translation;
};
