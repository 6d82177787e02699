#include "save_failure_notice.h"

#include "i18n/language_file.h"
#include "platform/save_failures.h"
#include "platform/updater_start.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {
// Pairs of title and text; the language file may replace each.
const QStringList kEnglish = {
    QStringLiteral("Not saved"), // (file name, reason)
    QStringLiteral("%1 could not be saved: %2. It keeps its last saved contents."),
    QStringLiteral("Not read"), // (file name, name it was put aside as)
    QStringLiteral("%1 could not be read: it holds a value the program never writes. "
                   "It was kept as %2, and the program goes on without it."),
    QStringLiteral("Update not started"), // (program, reason)
    QStringLiteral("The firmware update program %1 could not be started: %2. Nothing was changed on the keyboard.")};
constexpr int kNotSaved = 0;
constexpr int kPutAside = 2;
constexpr int kUpdaterNotStarted = 4;
// The UI's language when the global store names none.
const QString kDefaultLanguage = QStringLiteral("ChineseSimplified");
} // namespace

SaveFailureNotice::SaveFailureNotice(QWidget *window, QSystemTrayIcon *tray, std::function<QString()> languageCode)
    : QObject(window), m_window(window), m_tray(tray), m_languageCode(std::move(languageCode))
{
    // Queued: the failure may be found while a store is being written or
    // destroyed; the notice comes once that is over.
    SaveFailures &failures = SaveFailures::instance();
    connect(&failures, &SaveFailures::failed, this, &SaveFailureNotice::showNotSaved, Qt::QueuedConnection);
    connect(&failures, &SaveFailures::putAside, this, &SaveFailureNotice::showPutAside, Qt::QueuedConnection);
    connect(&UpdaterStart::instance(), &UpdaterStart::notStarted, this, [this](const QString &program, const QString &why) {
        const QStringList pair = texts(kUpdaterNotStarted);
        tell(pair.at(0), pair.at(1).arg(program, why));
    });
    // Stores put aside while the window was being built are told once it is.
    for (const auto &[file, aside] : failures.takeUnseenPutAside())
        QMetaObject::invokeMethod(this, [this, file = file, aside = aside] { showPutAside(file, aside); },
                                  Qt::QueuedConnection);
}

QStringList SaveFailureNotice::texts(int first) const
{
    const QString code = m_languageCode();
    const QStringList all = readLanguageSection(QStringLiteral("notices"), code.isEmpty() ? kDefaultLanguage : code);
    const QStringList &chosen = all.size() >= first + 2 ? all : kEnglish;
    return chosen.mid(first, 2);
}

void SaveFailureNotice::showNotSaved(const QString &file, const QString &reason)
{
    const QStringList pair = texts(kNotSaved);
    tell(pair.at(0), pair.at(1).arg(QFileInfo(file).fileName(), reason));
}

void SaveFailureNotice::showPutAside(const QString &file, const QString &aside)
{
    const QStringList pair = texts(kPutAside);
    tell(pair.at(0), pair.at(1).arg(QFileInfo(file).fileName(), QFileInfo(aside).fileName()));
}

void SaveFailureNotice::tell(const QString &title, const QString &text)
{
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
