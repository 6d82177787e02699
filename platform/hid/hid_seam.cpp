#include "hid_backend.h"
#include "hid_trace.h"
#include "hidapi_backend.h"

#include <QMutex>
#include <QtGlobal>

namespace {

QMutex seamMutex;
std::unique_ptr<HidBackend> current;

std::unique_ptr<HidBackend> withTrace(std::unique_ptr<HidBackend> backend)
{
    const QString traceFile = qEnvironmentVariable("GEARCONSOLE_HID_TRACE");
    if (traceFile.isEmpty())
        return backend;
    // One trace per file name: its clock starts when the file is opened, and
    // backends installed later keep writing to the same trace.
    static std::shared_ptr<HidTrace> trace;
    static QString tracedFile;
    if (!trace || tracedFile != traceFile) {
        trace = std::make_shared<HidTrace>(traceFile);
        tracedFile = traceFile;
    }
    return std::make_unique<TracedHidBackend>(std::move(backend), trace);
}

} // namespace

namespace HidSeam {

std::unique_ptr<HidBackend> makeHidapiBackend() { return std::make_unique<HidapiBackend>(); }

HidBackend &backend()
{
    QMutexLocker lock(&seamMutex);
    if (!current)
        current = withTrace(makeHidapiBackend());
    return *current;
}

void install(std::unique_ptr<HidBackend> backend)
{
    QMutexLocker lock(&seamMutex);
    current = withTrace(std::move(backend));
}

bool isInstalled()
{
    QMutexLocker lock(&seamMutex);
    return current != nullptr;
}

} // namespace HidSeam
