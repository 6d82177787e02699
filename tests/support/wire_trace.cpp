#include "wire_trace.h"

#include <QFile>
#include <QTextStream>

WireTrace::WireTrace(const QString &folder) : m_file(folder + QStringLiteral("/wire.trace"))
{
    QFile::remove(m_file);
    qputenv("GEARCONSOLE_HID_TRACE", m_file.toLocal8Bit());
}

WireTrace::~WireTrace() { qunsetenv("GEARCONSOLE_HID_TRACE"); }

TraceLine WireTrace::parse(const QString &text)
{
    TraceLine line;
    const QStringList fields = text.split(QLatin1Char(' '));
    line.ms = fields.value(0).toLongLong();
    line.op = fields.value(1);
    line.path = fields.value(2);
    line.rest = fields.mid(3).join(QLatin1Char(' '));
    if (line.op == QLatin1String("FEATURE_OUT") || line.op == QLatin1String("FEATURE_IN")
        || line.op == QLatin1String("OUTPUT") || line.op == QLatin1String("INPUT"))
        line.bytes = QByteArray::fromHex(line.rest.toLatin1());
    return line;
}

QList<TraceLine> WireTrace::read() const
{
    QList<TraceLine> lines;
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString text = in.readLine();
        if (!text.isEmpty())
            lines.append(parse(text));
    }
    return lines;
}

QList<TraceLine> WireTrace::read(const QString &op) const
{
    QList<TraceLine> matching;
    for (const TraceLine &line : read()) {
        if (line.op == op)
            matching.append(line);
    }
    return matching;
}
