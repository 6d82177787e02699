#pragma once
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class VirtualHidBackend;

// A scratch working directory holding a copy of the repository's modules/,
// made current for the life of the object, so tests never write into the
// source tree.
class TestWorkspace
{
public:
    TestWorkspace();
    ~TestWorkspace();

    QString path() const { return m_dir.path(); }
    // Replaces the device table: one map of keys per entry (keys as in the file).
    void writeDeviceTable(const QList<QMap<QString, QString>> &entries);

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A device-table entry with the given ids and usage of its command interface.
QMap<QString, QString> tableEntry(const QString &vid, const QString &pid, const QString &usagePage,
                                  const QString &usage, int reportLength = 64, bool isEncode = false);

// Puts a fresh virtual backend in place of hardware and returns it.
VirtualHidBackend &installVirtualBackend();

// Copies every file below `from` to the same place below `to` (folders made
// as needed), owner-writable; false when a file could not be copied.
bool copyTree(const QString &from, const QString &to);

// Makes the settings library read every file below `folder` from its text
// again, as the next start of the program does: it keeps a file it read or
// wrote and rereads it only when the file's time or size changed.
void forgetParsedSettings(const QString &folder);
