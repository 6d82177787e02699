#include "log_capture.h"

#include <QtGlobal>

namespace {
QMutex captureMutex;
QStringList captured;
QtMessageHandler previousHandler = nullptr;
} // namespace

LogCapture::LogCapture()
{
    QMutexLocker lock(&captureMutex);
    captured.clear();
    previousHandler = qInstallMessageHandler(&LogCapture::handler);
}

LogCapture::~LogCapture() { qInstallMessageHandler(previousHandler); }

void LogCapture::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    {
        QMutexLocker lock(&captureMutex);
        captured.append(QString::fromLatin1(context.category) + QStringLiteral(": ") + message);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&captureMutex);
    return captured;
}

int LogCapture::count(const QString &fragment) const
{
    int n = 0;
    for (const QString &line : lines())
        n += line.contains(fragment) ? 1 : 0;
    return n;
}
