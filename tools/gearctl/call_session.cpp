#include "call_session.h"

#include "argument_conversion.h"
#include "result_printing.h"
#include "slot_call.h"

#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/virtual/virtual_state.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

// Detection hands the UI its start-up calls through posted events and
// queued invocations, which post further ones; a few rounds let them all
// run, as the event loop of gearconsole would.
void settleQueuedCalls()
{
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

} // namespace

int runSlotCall(const QString &workingDirectory, const QString &objectName, const QMetaMethod &method,
                SlotArguments &arguments)
{
    if (!QDir::setCurrent(workingDirectory)) {
        std::fprintf(stderr, "gearctl: cannot enter directory %s\n", qPrintable(workingDirectory));
        return 2;
    }

    Widget window;
    window.checkDevice();
    settleQueuedCalls();

    QObject *target = objectName == QLatin1String("hid") ? static_cast<QObject *>(&window.device())
                                                         : static_cast<QObject *>(window.view());
    QVariant returnValue;
    if (!callSlot(target, method, arguments, &returnValue)) {
        std::fprintf(stderr, "gearctl: the meta-object system refused the call of %s.%s\n", qPrintable(objectName),
                     method.name().constData());
        return 2;
    }
    settleQueuedCalls();

    const QByteArray line = resultLine(returnValue, arguments.outputs()) + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);

    writeVirtualStateFromEnvironment();
    return 0;
}
