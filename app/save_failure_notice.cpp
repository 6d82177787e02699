#include "save_failure_notice.h"

#include "i18n/language_file.h"
#include "platform/save_failures.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {
// Title and text (file name, reason); the language file may replace both.
const QStringList kEnglish = {QStringLiteral("Not saved"),
                              QStringLiteral("%1 could not be saved: %2. It keeps its last saved contents.")};
// The UI's language when the global store names none.
const QString kDefaultLanguage = QStringLiteral("ChineseSimplified");
} // namespace

SaveFailureNotice::SaveFailureNotice(QWidget *window, QSystemTrayIcon *tray, std::function<QString()> languageCode)
    : QObject(window), m_window(window), m_tray(tray), m_languageCode(std::move(languageCode))
{
    // Queued: the failure may be found while a store is being written or
    // destroyed; the notice comes once that is over.
    connect(&SaveFailures::instance(), &SaveFailures::failed, this, &SaveFailureNotice::show, Qt::QueuedConnection);
}

void SaveFailureNotice::show(const QString &file, const QString &reason)
{
    const QString code = m_languageCode();
    QStringList texts = readLanguageSection(QStringLiteral("notices"), code.isEmpty() ? kDefaultLanguage : code);
    if (texts.size() < kEnglish.size())
        texts = kEnglish;
    const QString title = texts.at(0), text = texts.at(1).arg(QFileInfo(file).fileName(), reason);

    if (m_tray && m_tray->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray->showMessage(title, text, QSystemTrayIcon::Warning, kBalloonMs);
        return;
    }
    if (!m_box) {
        m_box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, m_window);
        m_box->setAttribute(Qt::WA_DeleteOnClose);
        m_box->setWindowModality(Qt::NonModal);
    }
    m_box->setWindowTitle(title);
    m_box->setText(text);
    m_box->show();
}
