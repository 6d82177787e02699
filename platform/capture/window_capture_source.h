#pragma once
#include "key_translation.h"

#include <QObject>

// Capture where no X server is reachable (Wayland, offscreen): an
// application-wide event filter sees the keys and buttons of the program's
// own windows and translates them like the global source.
class WindowCaptureSource : public QObject
{
public:
    explicit WindowCaptureSource(CaptureSink &sink, QObject *parent = nullptr);
    void start();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CaptureSink &m_sink;
    KeyTranslation m_translation;
};
