#pragma once
// One firmware update as the window goes through it, without the window: the image chosen
// and checked, the wait for the keyboard's boot loader (04d9:8022) through the device
// monitor, the update engine on a thread of its own, and the wait for the keyboard to come
// back under its own ids. Every change of what the user should read is `changed()`.
#include "editions.h"
#include "keyboard_ids.h"
#include "update_engine.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <thread>

class DeviceMonitor;

class UpdateSession : public QObject
{
    Q_OBJECT

public:
    enum class Phase {
        ChooseImage,           // nothing chosen yet
        ImageRefused,          // the chosen image cannot be used
        Ready,                 // a good image; the user may start
        WaitingForBootLoader,  // started; the keyboard is not in its update mode yet
        Updating,              // the engine runs
        WaitingForKeyboard,    // written, verified, restarted: waiting for its own ids
        Done,
        Failed,
    };
    Q_ENUM(Phase)

    static constexpr int kKeyboardReturnMs = 20000;
    static constexpr int kArrivalRetryMs = 250;  // a new node may not open at once
    static constexpr int kArrivalRetries = 8;
    static constexpr int kProgressPollMs = 50;

    UpdateSession(const firmware::Edition &edition, std::optional<KeyboardIds> keyboard,
                  firmware::Language language, QObject *parent = nullptr);
    ~UpdateSession() override;  // a running update is stopped at its next safe point first

    // Reads and checks the image; Ready or ImageRefused.
    void chooseImage(const QString &path);
    // From Ready (or after a failure, with the same image): waits for the boot loader.
    void start();
    // Back to Ready while waiting for the boot loader; nothing was touched.
    void cancelWaiting();
    // Ends a running update at its next safe point; the outcome follows as usual.
    void requestStop();

    Phase phase() const { return m_phase; }
    bool isUpdating() const { return m_phase == Phase::Updating; }
    bool stopRequested() const { return m_engine->stopRequested(); }
    firmware::Stage stage() const { return m_engine->stage(); }
    // 0 to 100 over the whole update, from the library's progress value; never goes back
    // within one update.
    int progress() const { return m_shownProgress; }
    QString message() const { return m_message; }
    QString imagePath() const { return m_imagePath; }
    std::optional<firmware::Outcome> outcome() const { return m_outcome; }
    const firmware::Edition &edition() const { return m_edition; }
    firmware::Language language() const { return m_language; }
    DeviceMonitor *deviceMonitor() const { return m_monitor; }

    void setKeyboardReturnTimeout(int ms) { m_keyboardTimer.setInterval(ms); }
    // Block size and the like, for tests and benches; the window keeps the defaults.
    firmware::UpdateOptions &options() { return m_options; }

signals:
    void changed();

private:
    void setPhase(Phase phase, const QString &message);
    void onDeviceChange();
    void lookForBootLoader();
    void runEngine();
    void engineEnded(const firmware::Outcome &outcome);
    void lookForKeyboard();
    void pollProgress();
    QString stageText() const;
    void joinWorker();

    const firmware::Edition &m_edition;
    const std::optional<KeyboardIds> m_keyboard;
    const firmware::Language m_language;
    firmware::UpdateOptions m_options;
    std::optional<firmware::FirmwareImage> m_image;
    std::unique_ptr<firmware::UpdateEngine> m_engine = std::make_unique<firmware::UpdateEngine>();
    std::thread m_worker;
    std::optional<firmware::Outcome> m_outcome;

    Phase m_phase = Phase::ChooseImage;
    QString m_message;
    QString m_readyMessage;
    QString m_imagePath;
    int m_shownProgress = 0;
    int m_arrivalRetriesLeft = 0;
    bool m_arrivedSinceRestart = false;

    DeviceMonitor *m_monitor = nullptr;
    QTimer m_progressTimer;
    QTimer m_retryTimer;
    QTimer m_keyboardTimer;
    QTimer m_fallbackPoll;  // only where the device monitor does not listen
};
