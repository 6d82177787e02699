#include "update_window.h"

#include "update_session.h"
#include "update_texts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 560;
constexpr int kMargin = 20;
constexpr int kMessageMinimumHeight = 96;  // four lines and the padding
// The main program's colours: its dark grey, light text and the tray menu's borders.
const char kStyle[] =
    "UpdateWindow { background: rgb(52, 53, 57); }"
    "QLabel { color: rgb(225, 225, 225); }"
    "QLabel#heading { font-size: 15pt; font-weight: bold; }"
    "QLabel#message { background: rgb(68, 69, 73); border: 1px solid rgb(100, 100, 100); padding: 8px; }"
    "QLineEdit { background: rgb(68, 69, 73); color: rgb(225, 225, 225); border: 1px solid rgb(100, 100, 100);"
    "  padding: 3px; }"
    "QPushButton { background: rgb(78, 79, 84); color: rgb(230, 230, 230); border: 1px solid rgb(110, 110, 110);"
    "  padding: 5px 14px; }"
    "QPushButton:hover { background: rgb(92, 93, 99); }"
    "QPushButton:disabled { color: rgb(140, 140, 140); border-color: rgb(85, 85, 85); }"
    "QPushButton[primary=\"true\"]:enabled { background: rgb(0, 120, 200); border-color: rgb(0, 140, 230); }"
    "QProgressBar { background: rgb(68, 69, 73); border: 1px solid rgb(100, 100, 100); color: rgb(230, 230, 230);"
    "  text-align: center; height: 18px; }"
    "QProgressBar::chunk { background: rgb(0, 120, 200); }";

const UpdateText kStepTexts[UpdateWindow::kSteps] = {UpdateText::StepChoose, UpdateText::StepCheck,
                                                     UpdateText::StepUpdateMode, UpdateText::StepWrite,
                                                     UpdateText::StepRestart};
} // namespace

std::function<QString(QWidget *, const QString &, const QString &)> UpdateWindow::chooseFile =
    [](QWidget *parent, const QString &title, const QString &filter) {
        // The program runs in the updater folder; an image is where downloads go.
        static QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        if (!QFileInfo(folder).isDir())
            folder = QDir::homePath();
        const QString chosen = QFileDialog::getOpenFileName(parent, title, folder, filter);
        if (!chosen.isEmpty())
            folder = QFileInfo(chosen).absolutePath();
        return chosen;
    };

std::function<bool(QWidget *, const QString &, const QString &, const QString &, const QString &)>
    UpdateWindow::confirmStop = [](QWidget *parent, const QString &title, const QString &question,
                                   const QString &stop, const QString &carryOn) {
        QMessageBox box(QMessageBox::Warning, title, question, QMessageBox::NoButton, parent);
        QPushButton *stopButton = box.addButton(stop, QMessageBox::DestructiveRole);
        box.setDefaultButton(box.addButton(carryOn, QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == stopButton;
    };

UpdateWindow::UpdateWindow(UpdateSession &session, QWidget *parent) : QWidget(parent), m_session(session)
{
    const firmware::Language language = session.language();
    const QString edition = QString::fromUtf8(session.edition().name);
    setWindowTitle(updateText(UpdateText::WindowTitle, language).arg(edition));
    setStyleSheet(QLatin1String(kStyle));
    setFixedWidth(kWidth);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, 18, kMargin, 16);
    layout->setSpacing(10);

    m_heading = new QLabel(updateText(UpdateText::WindowTitle, language).arg(edition));
    m_heading->setObjectName(QStringLiteral("heading"));
    layout->addWidget(m_heading);
    auto *intro = new QLabel(updateText(UpdateText::Intro, language).arg(edition));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *steps = new QVBoxLayout;
    steps->setSpacing(2);
    for (int i = 0; i < kSteps; ++i) {
        m_steps[i] = new QLabel;
        m_steps[i]->setObjectName(QStringLiteral("step%1").arg(i));
        m_steps[i]->setTextFormat(Qt::RichText);
        steps->addWidget(m_steps[i]);
    }
    layout->addLayout(steps);

    auto *imageRow = new QHBoxLayout;
    imageRow->addWidget(new QLabel(updateText(UpdateText::ImageLabel, language)));
    m_path = new QLineEdit;
    m_path->setObjectName(QStringLiteral("imagePath"));
    m_path->setReadOnly(true);
    imageRow->addWidget(m_path, 1);
    m_choose = new QPushButton(updateText(UpdateText::ChooseButton, language));
    m_choose->setObjectName(QStringLiteral("chooseButton"));
    imageRow->addWidget(m_choose);
    layout->addLayout(imageRow);

    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setWordWrap(true);
    m_message->setMinimumHeight(kMessageMinimumHeight);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_message);

    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 100);
    layout->addWidget(m_progress);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_start = new QPushButton(updateText(UpdateText::StartButton, language));
    m_start->setObjectName(QStringLiteral("startButton"));
    buttons->addWidget(m_start);
    m_close = new QPushButton(updateText(UpdateText::CloseButton, language));
    m_close->setObjectName(QStringLiteral("closeButton"));
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_choose, &QPushButton::clicked, this, &UpdateWindow::choose);
    connect(m_start, &QPushButton::clicked, this, &UpdateWindow::startOrCancel);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence::Quit, this, this, &QWidget::close);
    connect(&session, &UpdateSession::changed, this, &UpdateWindow::refresh);
    refresh();
}

void UpdateWindow::choose()
{
    const firmware::Language language = m_session.language();
    const QString path = chooseFile(this, updateText(UpdateText::DialogTitle, language),
                                    updateText(UpdateText::DialogFilter, language));
    if (path.isEmpty())
        return;
    m_path->setText(path);
    m_session.chooseImage(path);
}

void UpdateWindow::startOrCancel()
{
    if (m_session.phase() == UpdateSession::Phase::WaitingForBootLoader)
        m_session.cancelWaiting();
    else
        m_session.start();
}

void UpdateWindow::markSteps(int current, bool failed)
{
    const firmware::Language language = m_session.language();
    for (int i = 0; i < kSteps; ++i) {
        QString mark = QStringLiteral("<span style='color:rgb(130,130,130)'>○</span>");
        QString text = updateText(kStepTexts[i], language).toHtmlEscaped();
        if (i < current) {
            mark = QStringLiteral("<span style='color:rgb(80,200,120)'>✓</span>");
        } else if (i == current) {
            mark = failed ? QStringLiteral("<span style='color:rgb(240,90,80)'>✗</span>")
                          : QStringLiteral("<span style='color:rgb(0,160,255)'>●</span>");
            text = QStringLiteral("<b>%1</b>").arg(text);
        }
        m_steps[i]->setText(QStringLiteral("%1&nbsp;&nbsp;%2.&nbsp;%3").arg(mark).arg(i + 1).arg(text));
    }
}

void UpdateWindow::refresh()
{
    using Phase = UpdateSession::Phase;
    const firmware::Language language = m_session.language();
    const Phase phase = m_session.phase();
    const bool busy = phase == Phase::Updating || phase == Phase::WaitingForKeyboard;
    const auto outcome = m_session.outcome();

    switch (phase) {
    case Phase::ChooseImage: markSteps(0, false); break;
    case Phase::ImageRefused: markSteps(1, true); break;
    case Phase::Ready:
    case Phase::WaitingForBootLoader: markSteps(2, false); break;
    case Phase::Updating: markSteps(3, false); break;
    case Phase::WaitingForKeyboard: markSteps(4, false); break;
    case Phase::Done: markSteps(kSteps, false); break;
    case Phase::Failed:
        markSteps(outcome && outcome->stage <= firmware::Stage::Connecting ? 2 : 3, true);
        break;
    }

    if (phase == Phase::Failed)
        m_heading->setText(updateText(UpdateText::FailedHeading, language));
    else if (phase == Phase::Done)
        m_heading->setText(updateText(UpdateText::DoneHeading, language));
    else
        m_heading->setText(windowTitle());

    m_message->setText(m_session.message());
    // The window grows with a longer message rather than cutting it off.
    m_message->setMinimumHeight(qMax(kMessageMinimumHeight, m_message->heightForWidth(kWidth - 2 * kMargin)));
    adjustSize();
    if (!m_session.imagePath().isEmpty())
        m_path->setText(m_session.imagePath());
    m_progress->setValue(phase == Phase::Updating || phase == Phase::Failed || busy || phase == Phase::Done
                             ? m_session.progress()
                             : 0);
    m_choose->setEnabled(!busy && phase != Phase::WaitingForBootLoader);
    m_start->setText(updateText(phase == Phase::WaitingForBootLoader ? UpdateText::CancelButton
                                                                     : UpdateText::StartButton,
                                language));
    m_start->setEnabled(phase == Phase::Ready || phase == Phase::Failed || phase == Phase::WaitingForBootLoader);
    const bool primary = phase != Phase::WaitingForBootLoader;
    if (m_start->property("primary").toBool() != primary) {
        m_start->setProperty("primary", primary);
        m_start->style()->unpolish(m_start);
        m_start->style()->polish(m_start);
    }
    m_close->setEnabled(!(phase == Phase::Updating && m_session.stopRequested()));
}

void UpdateWindow::closeEvent(QCloseEvent *event)
{
    if (!m_session.isUpdating()) {
        event->accept();
        return;
    }
    event->ignore();
    if (m_session.stopRequested())
        return;
    const firmware::Language language = m_session.language();
    if (confirmStop(this, updateText(UpdateText::StopTitle, language), updateText(UpdateText::StopQuestion, language),
                    updateText(UpdateText::StopButton, language), updateText(UpdateText::ContinueButton, language)))
        m_session.requestStop();
}
