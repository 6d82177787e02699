#include "warning_boxes.h"

#include "platform/logging.h"

#include <QMessageBox>

WarningBoxes::WarningBoxes(QObject *parent) : QObject(parent) {}

void WarningBoxes::show(const QString &title, const QString &text)
{
    if (m_waiting.size() >= kMaxWaiting) {
        qCWarning(lcShell) << "warning message dropped:" << kMaxWaiting << "are already waiting";
        return;
    }
    m_waiting.append({title, text});
    if (!m_open)
        showNext();
}

void WarningBoxes::showNext()
{
    if (m_open || m_waiting.isEmpty())
        return;
    const Warning next = m_waiting.takeFirst();
    auto *box = new QMessageBox(QMessageBox::Warning, next.title, next.text, QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QObject::destroyed, this, &WarningBoxes::showNext, Qt::QueuedConnection);
    m_open = box;
    box->show();
}
