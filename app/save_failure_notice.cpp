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
    QStringLiteral("Not read"), // (file name, reason, name it was put aside as)
    QStringLiteral("%1 could not be read: %2. It was kept as %3, and the program goes on without it."),
    QStringLiteral("Not read"), // (file name, reason)
    QStringLiteral("%1 could not be read: %2. It stays as it is, and the program goes on without it."),
    QStringLiteral("Not imported"), // (file name, reason)
    QStringLiteral("%1 was not imported: %2. Nothing was changed."),
    QStringLiteral("Update not started"), // (program, reason)
    QStringLiteral("The firmware update program %1 could not be started: %2. Nothing was changed on the keyboard.")};
constexpr int kNotSaved = 0;
constexpr int kPutAside = 2;
constexpr int kLeftInPlace = 4;
constexpr int kNotImported = 6;
constexpr int kUpdaterNotStarted = 8;
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
    connect(&failures, &SaveFailures::notImported, this, &SaveFailureNotice::showNotImported, Qt::QueuedConnection);
    connect(&UpdaterStart::instance(), &UpdaterStart::notStarted, this, [this](const QString &program, const QString &why) {
        const QStringList pair = texts(kUpdaterNotStarted);
        tell(pair.at(0), pair.at(1).arg(program, why));
    });
    // Stores put aside while the window was being built are told once it is.
    for (const SaveFailures::PutAside &unseen : failures.takeUnseenPutAside())
        QMetaObject::invokeMethod(
            this, [this, unseen] { showPutAside(unseen.file, unseen.aside, unseen.reason); }, Qt::QueuedConnection);
}

QStringList SaveFailureNotice::texts(int first) const
{
    const QString code = m_languageCode();
    const QStringList all = readLanguageSection(QStringLiteral("notices"), code.isEmpty() ? kDefaultLanguage : code);
    const QStringList &chosen = all.size() >= kEnglish.size() ? all : kEnglish;
    return chosen.mid(first, 2);
}

void SaveFailureNotice::showNotSaved(const QString &file, const QString &reason)
{
    const QStringList pair = texts(kNotSaved);
    tell(pair.at(0), pair.at(1).arg(QFileInfo(file).fileName(), reason));
}

void SaveFailureNotice::showPutAside(const QString &file, const QString &aside, const QString &reason)
{
    const QString name = QFileInfo(file).fileName();
    if (aside.isEmpty()) {
        const QStringList pair = texts(kLeftInPlace);
        tell(pair.at(0), pair.at(1).arg(name, reason));
        return;
    }
    const QStringList pair = texts(kPutAside);
    tell(pair.at(0), pair.at(1).arg(name, reason, QFileInfo(aside).fileName()));
}

void SaveFailureNotice::showNotImported(const QString &file, const QString &reason)
{
    const QStringList pair = texts(kNotImported);
    tell(pair.at(0), pair.at(1).arg(QFileInfo(file).fileName(), reason));
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
