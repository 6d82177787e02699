#include "update_session.h"

#include "boot_loader_search.h"
#include "hex_format.h"
#include "image_check.h"
#include "image_file.h"
#include "platform/device_monitor.h"
#include "platform/logging.h"
#include "update_texts.h"

#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <pthread.h>

namespace {
constexpr int kFallbackPollMs = 1000;

QString hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

QString rangesOf(const firmware::FirmwareImage &image)
{
    QStringList ranges;
    for (const firmware::Run &run : image.runs)
        ranges << QString::fromStdString(firmware::hexWord(run.address) + "–" + firmware::hexWord(run.end() - 1));
    return ranges.join(QStringLiteral(", "));
}
} // namespace

UpdateSession::UpdateSession(const firmware::Edition &edition, std::optional<KeyboardIds> keyboard,
                             firmware::Language language, QObject *parent)
    : QObject(parent), m_edition(edition), m_keyboard(keyboard), m_language(language)
{
    m_options.flash = edition.flash;
    m_message = updateText(UpdateText::ChooseFirst, language).arg(QString::fromUtf8(edition.name));

    m_monitor = new DeviceMonitor(this);
    connect(m_monitor, &DeviceMonitor::deviceChanged, this, [this](DeviceMonitor::Change change) {
        if (change == DeviceMonitor::Change::Arrival)
            m_arrivedSinceRestart = true;
        if (change != DeviceMonitor::Change::Other)
            onDeviceChange();
    });
    // Without udev's notifications (a system without it) the wait polls instead.
    m_fallbackPoll.setInterval(kFallbackPollMs);
    connect(&m_fallbackPoll, &QTimer::timeout, this, [this] {
        m_arrivedSinceRestart = true;
        onDeviceChange();
    });

    m_progressTimer.setInterval(kProgressPollMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &UpdateSession::pollProgress);
    m_retryTimer.setInterval(kArrivalRetryMs);
    connect(&m_retryTimer, &QTimer::timeout, this, &UpdateSession::lookForBootLoader);
    m_keyboardTimer.setInterval(kKeyboardReturnMs);
    m_keyboardTimer.setSingleShot(true);
    connect(&m_keyboardTimer, &QTimer::timeout, this, [this] {
        if (m_phase != Phase::WaitingForKeyboard)
            return;
        qCWarning(lcPlatform) << "update: the keyboard did not come back under its own ids";
        setPhase(Phase::Done, updateText(UpdateText::KeyboardNotBack, m_language)
                                  .arg(QString::fromUtf8(m_edition.name), hex4(m_keyboard->vendorId),
                                       hex4(m_keyboard->productId)));
    });
}

UpdateSession::~UpdateSession()
{
    m_engine->requestStop();
    joinWorker();
}

void UpdateSession::joinWorker()
{
    if (m_worker.joinable())
        m_worker.join();
}

void UpdateSession::setPhase(Phase phase, const QString &message)
{
    m_phase = phase;
    m_message = message;
    const bool waiting = phase == Phase::WaitingForBootLoader || phase == Phase::WaitingForKeyboard;
    if (waiting && !m_monitor->isListening())
        m_fallbackPoll.start();
    else
        m_fallbackPoll.stop();
    if (phase != Phase::WaitingForBootLoader)
        m_retryTimer.stop();
    emit changed();
}

void UpdateSession::chooseImage(const QString &path)
{
    if (m_phase == Phase::Updating || m_phase == Phase::WaitingForKeyboard)
        return;
    m_image.reset();
    m_imagePath = path;
    firmware::ImageRead read = firmware::readImageFile(QFile::encodeName(path).toStdString(), std::nullopt);
    std::string refusal = read.refusal;
    if (read.image) {
        if (auto why = firmware::whyUnprogrammable(*read.image, m_options.flash))
            refusal = *why;
        else
            m_image = std::move(read.image);
    }
    if (!m_image) {
        qCWarning(lcPlatform).noquote() << "update: image refused:" << QString::fromStdString(refusal);
        setPhase(Phase::ImageRefused, updateText(UpdateText::ImageRefused, m_language)
                                          .arg(QString::fromStdString(refusal)));
        return;
    }
    const bool hex = m_image->format == firmware::ImageFormat::IntelHex;
    qCInfo(lcPlatform).noquote() << "update: image" << path << m_image->totalBytes() << "bytes";
    m_readyMessage = updateText(UpdateText::ImageGood, m_language)
                         .arg(m_image->totalBytes())
                         .arg(updateText(hex ? UpdateText::FormatHex : UpdateText::FormatRaw, m_language),
                              rangesOf(*m_image));
    setPhase(Phase::Ready, m_readyMessage);
}

void UpdateSession::start()
{
    if (!m_image || (m_phase != Phase::Ready && m_phase != Phase::Failed && m_phase != Phase::Done))
        return;
    setPhase(Phase::WaitingForBootLoader, updateText(UpdateText::HowToUpdateMode, m_language) + QStringLiteral("\n\n") +
                                              updateText(UpdateText::WaitingForBootLoader, m_language));
    lookForBootLoader();
}

void UpdateSession::cancelWaiting()
{
    if (m_phase == Phase::WaitingForBootLoader)
        setPhase(Phase::Ready, m_readyMessage);
}

void UpdateSession::requestStop()
{
    if (m_phase != Phase::Updating || m_engine->stopRequested())
        return;
    qCInfo(lcPlatform) << "update: stop requested";
    m_engine->requestStop();
    m_message = updateText(UpdateText::Stopping, m_language);
    emit changed();
}

void UpdateSession::onDeviceChange()
{
    if (m_phase == Phase::WaitingForBootLoader) {
        m_arrivalRetriesLeft = kArrivalRetries;
        lookForBootLoader();
    } else if (m_phase == Phase::WaitingForKeyboard) {
        lookForKeyboard();
    }
}

void UpdateSession::lookForBootLoader()
{
    if (m_phase != Phase::WaitingForBootLoader)
        return;
    const firmware::BootLoaderCount count = firmware::countBootLoaders();
    if (count.found == 1) {
        runEngine();
        return;
    }
    if (count.found > 1) {
        m_message = updateText(UpdateText::SeveralWhileWaiting, m_language).arg(count.found);
        emit changed();
    }
    // A node that has just appeared may not open yet (its access rule is applied a moment
    // later): look again a few times before waiting for the next change.
    if (m_arrivalRetriesLeft-- > 0)
        m_retryTimer.start();
    else
        m_retryTimer.stop();
}

void UpdateSession::runEngine()
{
    joinWorker();
    m_outcome.reset();
    m_shownProgress = 0;
    m_arrivedSinceRestart = false;
    m_engine = std::make_unique<firmware::UpdateEngine>();
    setPhase(Phase::Updating, updateText(UpdateText::Erasing, m_language));
    m_progressTimer.start();
    qCInfo(lcPlatform) << "update: boot loader found; updating";
    m_worker = std::thread([this, image = *m_image, options = m_options] {
        // A stop signal is the GUI thread's (StopSignals): delivered here, it would break
        // off the transfer under way as a failure instead of stopping at a safe point.
        sigset_t stops;
        sigemptyset(&stops);
        for (int signal : {SIGINT, SIGHUP, SIGTERM})
            sigaddset(&stops, signal);
        pthread_sigmask(SIG_BLOCK, &stops, nullptr);
        const firmware::Outcome outcome = m_engine->run(image, options);
        QMetaObject::invokeMethod(this, [this, outcome] { engineEnded(outcome); }, Qt::QueuedConnection);
    });
}

QString UpdateSession::stageText() const
{
    switch (m_engine->stage()) {
    case firmware::Stage::BlankChecking:
        return updateText(UpdateText::BlankChecking, m_language);
    case firmware::Stage::Programming:
        return updateText(UpdateText::Writing, m_language);
    case firmware::Stage::Verifying:
        return updateText(UpdateText::Verifying, m_language);
    case firmware::Stage::Restarting:
    case firmware::Stage::Finished:
        return updateText(UpdateText::Restarting, m_language);
    default:
        return updateText(UpdateText::Erasing, m_language);
    }
}

void UpdateSession::pollProgress()
{
    if (m_phase != Phase::Updating)
        return;
    const int now = qMax(m_shownProgress, m_engine->progress());
    const QString text = m_engine->stopRequested() ? updateText(UpdateText::Stopping, m_language) : stageText();
    if (now == m_shownProgress && text == m_message)
        return;
    m_shownProgress = now;
    m_message = text;
    emit changed();
}

void UpdateSession::engineEnded(const firmware::Outcome &outcome)
{
    joinWorker();
    m_progressTimer.stop();
    m_outcome = outcome;
    m_shownProgress = qMax(m_shownProgress, m_engine->progress());  // where it ended
    const QString said = QString::fromStdString(firmware::describeOutcome(outcome, m_language));
    qCInfo(lcPlatform).noquote() << "update: ended:"
                                 << QString::fromStdString(firmware::describeOutcome(outcome, firmware::Language::English));
    if (!outcome.succeeded()) {
        setPhase(Phase::Failed, said);
        return;
    }
    m_shownProgress = 100;
    if (!m_keyboard) {
        setPhase(Phase::Done, updateText(UpdateText::DoneUnconfirmed, m_language));
        return;
    }
    setPhase(Phase::WaitingForKeyboard, updateText(UpdateText::WaitingForKeyboard, m_language));
    m_keyboardTimer.start();
    lookForKeyboard();
}

void UpdateSession::lookForKeyboard()
{
    // Only an arrival after the restart counts: another keyboard of the same edition may
    // have been connected all along.
    if (m_phase != Phase::WaitingForKeyboard || !m_arrivedSinceRestart || !keyboardPresent(*m_keyboard))
        return;
    m_keyboardTimer.stop();
    qCInfo(lcPlatform) << "update: the keyboard is back under its own ids";
    setPhase(Phase::Done, updateText(UpdateText::KeyboardBack, m_language)
                              .arg(QString::fromUtf8(m_edition.name), hex4(m_keyboard->vendorId),
                                   hex4(m_keyboard->productId)));
}
