#pragma once
// What the macro and gun preset tests share: a bridge inside a scratch
// workspace, dialogs that answer from a script, and file helpers that read
// what is really on disk.
#include "bridge/file_dialogs.h"
#include "bridge/myqquickview.h"
#include "support/test_workspace.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QList>
#include <QMap>
#include <QSettings>
#include <QString>

#include <memory>

// Answers every dialog with `answer` and records how it was asked.
struct DialogScript
{
    struct Call
    {
        QString kind, title, directory, filter;
    };
    QString answer;
    QList<Call> calls;
};

class ScriptedDialogs : public FileDialogs
{
public:
    explicit ScriptedDialogs(DialogScript &script) : m_script(script) {}
    QString openFileName(QWidget *, const QString &title, const QString &directory, const QString &filter) override
    {
        m_script.calls.append({QStringLiteral("open"), title, directory, filter});
        return m_script.answer;
    }
    QString saveFileName(QWidget *, const QString &title, const QString &directory, const QString &filter) override
    {
        m_script.calls.append({QStringLiteral("save"), title, directory, filter});
        return m_script.answer;
    }
    QString existingDirectory(QWidget *, const QString &title, const QString &directory) override
    {
        m_script.calls.append({QStringLiteral("folder"), title, directory, {}});
        return m_script.answer;
    }

private:
    DialogScript &m_script;
};

// A workspace, scripted dialogs and a bridge opened on the workspace's stores.
// `prepare` runs in the workspace before the bridge opens its stores.
struct BridgeRig
{
    template <typename Prepare> explicit BridgeRig(Prepare prepare)
    {
        prepare();
        FileDialogs::install(std::make_unique<ScriptedDialogs>(dialogs));
        view = std::make_unique<myQQuickView>();
    }
    BridgeRig() : BridgeRig([] {}) {}
    ~BridgeRig()
    {
        view.reset();
        FileDialogs::install(nullptr);
    }
    // Destroys the bridge, so its stores write what they hold.
    void closeBridge() { view.reset(); }

    TestWorkspace workspace;
    DialogScript dialogs;
    std::unique_ptr<myQQuickView> view;
};

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// Every file below a folder with a hash of its content.
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path),
                     QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha1).toHex());
    }
    return files;
}

// Opens a settings file as another program would meet it: a fresh copy is
// parsed from its text, never served from what this process last wrote.
struct ParsedSettings
{
    explicit ParsedSettings(const QString &path)
    {
        static int serial = 0;
        copy = QDir::tempPath() + QStringLiteral("/gearconsole-parsed-%1-%2.ini")
                                      .arg(QCoreApplication::applicationPid())
                                      .arg(++serial);
        QFile::remove(copy);
        QFile::copy(path, copy);
        settings = std::make_unique<QSettings>(copy, QSettings::IniFormat);
    }
    ~ParsedSettings()
    {
        settings.reset();
        QFile::remove(copy);
    }
    QSettings *operator->() const { return settings.get(); }

    QString copy;
    std::unique_ptr<QSettings> settings;
};

inline QStringList stringsOf(const QVariantList &values)
{
    QStringList strings;
    for (const QVariant &value : values)
        strings.append(value.toString());
    return strings;
}
