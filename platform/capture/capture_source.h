#pragma once
#include <QObject>

// A source of captured input. It sees nothing until it is made active, and
// stops seeing as soon as it is made inactive: input the program was not
// asked to record never reaches it.
class CaptureSource : public QObject
{
public:
    using QObject::QObject;
    virtual void setActive(bool active) = 0;
    bool isActive() const { return m_active; }

protected:
    bool m_active = false;
};
