#pragma once
// The update program's window: what will happen, the image to choose, the steps with the
// one under way marked, what the update says now, its progress bar, and the buttons. All
// it shows comes from the UpdateSession it is given.
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class UpdateSession;

class UpdateWindow : public QWidget
{
    Q_OBJECT

public:
    explicit UpdateWindow(UpdateSession &session, QWidget *parent = nullptr);

    static constexpr int kSteps = 5;

    // How an image is chosen; tests put their own here.
    static std::function<QString(QWidget *parent, const QString &title, const QString &filter)> chooseFile;
    // How the user is asked whether to stop a running update; tests answer for him.
    static std::function<bool(QWidget *parent, const QString &title, const QString &question,
                              const QString &stop, const QString &carryOn)>
        confirmStop;

protected:
    // Closing while the keyboard is being written asks first, and then only stops the
    // update at its next safe point: the window stays to say what the keyboard holds.
    void closeEvent(QCloseEvent *event) override;

private:
    void choose();
    void startOrCancel();
    void refresh();
    void markSteps(int current, bool failed);

    UpdateSession &m_session;
    QLabel *m_steps[kSteps] = {};
    QLineEdit *m_path = nullptr;
    QPushButton *m_choose = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_close = nullptr;
    QLabel *m_heading = nullptr;
    QLabel *m_message = nullptr;
    QProgressBar *m_progress = nullptr;
};
