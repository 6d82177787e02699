// The firmware update program. One program under the name of each keyboard edition
// (tarnelUK, sovrinUK, tarnelUS, sovrinUS, dusken) in the updater folder; started without
// arguments, it knows its edition from the name it was started under.
#include "keyboard_ids.h"
#include "platform/logging.h"
#include "stop_signals.h"
#include "update_lock.h"
#include "update_session.h"
#include "update_texts.h"
#include "update_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>

namespace {
constexpr int kExitFailed = 1;
constexpr int kExitNoEdition = 2;
constexpr int kExitStopped = 3;

// The name it was started under is argv[0]: the executable behind it may be a link.
QString startedAs()
{
    const QStringList arguments = QCoreApplication::arguments();
    return arguments.isEmpty() ? QCoreApplication::applicationFilePath() : arguments.first();
}

QString folderOf(const QString &startedAs)
{
    return startedAs.contains(QLatin1Char('/')) ? QFileInfo(startedAs).absolutePath()
                                                : QCoreApplication::applicationDirPath();
}

int refuse(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    QMessageBox::warning(nullptr, QStringLiteral("VORTAN"), text);
    return kExitFailed;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const firmware::Language language = updateLanguage();

    const QString name = startedAs();
    const firmware::Edition *edition = firmware::editionForProgram(QFile::encodeName(name).toStdString());
    if (!edition) {
        refuse(updateText(UpdateText::NoEdition, language));
        return kExitNoEdition;
    }
    QApplication::setApplicationName(QString::fromUtf8(edition->program));

    firmware::UpdateLock lock;
    if (!lock.take()) {
        return refuse(lock.heldElsewhere()
                          ? updateText(UpdateText::AlreadyRunning, language)
                          : updateText(UpdateText::LockFailed, language).arg(QString::fromStdString(lock.why())));
    }

    const QString table = shippedDeviceTable(folderOf(name));
    const std::optional<KeyboardIds> keyboard = keyboardIdsFor(edition->index, table);
    if (!keyboard)
        qCWarning(lcPlatform) << "update: no device table entry" << edition->index << "in" << table
                              << "- the keyboard's return cannot be confirmed";

    UpdateSession session(*edition, keyboard, language);
    UpdateWindow window(session);

    // A signal stops a running update at its next safe point; the program then says what
    // the keyboard holds and ends. Without an update under way it ends at once.
    StopSignals stopSignals;
    endOnStopSignals(stopSignals, session, [&application](const QString &message) {
        if (!message.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(message));
        application.exit(kExitStopped);
    });

    window.show();
    const int result = application.exec();
    if (result != 0)
        return result;
    return session.phase() == UpdateSession::Phase::Failed ? kExitFailed : 0;
}
