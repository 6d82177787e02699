#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QMessageBox;

// The warning texts other programs send (an updater's "update failed"),
// shown one box at a time. A box is modal to the application but runs no
// event loop of its own, so a message that comes while one is open never
// opens a box inside it: it waits its turn. At most kMaxWaiting wait; a
// flood beyond that is dropped, with one log line per message. Texts are
// shown as they stand, never as markup.
class WarningBoxes : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxWaiting = 8;

    explicit WarningBoxes(QObject *parent = nullptr);
    void show(const QString &title, const QString &text);

private:
    void showNext();

    struct Warning
    {
        QString title;
        QString text;
    };
    QList<Warning> m_waiting;
    QPointer<QMessageBox> m_open;
};
