#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// Reads the wire trace that the program writes with GEARCONSOLE_HID_TRACE.
struct TraceLine
{
    qint64 ms = 0;
    QString op;
    QString path;
    QByteArray bytes;  // decoded hex, for report lines
    QString rest;      // everything after the path, as written
};

class WireTrace
{
public:
    // Points GEARCONSOLE_HID_TRACE at a fresh file in the given folder.
    explicit WireTrace(const QString &folder);
    ~WireTrace();

    QString fileName() const { return m_file; }
    QList<TraceLine> read() const;
    QList<TraceLine> read(const QString &op) const;
    static TraceLine parse(const QString &line);

private:
    QString m_file;
};
