#include "test_workspace.h"

#include "device/virtual/virtual_backend.h"
#include "platform/hid/hid_backend.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>

TestWorkspace::TestWorkspace() : m_previous(QDir::currentPath())
{
    copyTree(QStringLiteral(GEARCONSOLE_SOURCE_DIR "/modules"), m_dir.path() + QStringLiteral("/modules"));
    QDir::setCurrent(m_dir.path());
}

TestWorkspace::~TestWorkspace() { QDir::setCurrent(m_previous); }

void TestWorkspace::writeDeviceTable(const QList<QMap<QString, QString>> &entries)
{
    const QString file = m_dir.path() + QStringLiteral("/modules/setting/apConfig.bin");
    QFile::remove(file);
    QSettings table(file, QSettings::IniFormat);
    table.setValue(QStringLiteral("common/deviceCount"), entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        for (auto it = entries[i].begin(); it != entries[i].end(); ++it)
            table.setValue(QString::number(i) + QLatin1Char('/') + it.key(), it.value());
    }
}

QMap<QString, QString> tableEntry(const QString &vid, const QString &pid, const QString &usagePage,
                                  const QString &usage, int reportLength, bool isEncode)
{
    return {{QStringLiteral("type"), QStringLiteral("0")},
            {QStringLiteral("vid"), vid},
            {QStringLiteral("pid"), pid},
            {QStringLiteral("usagePage"), usagePage},
            {QStringLiteral("usage"), usage},
            {QStringLiteral("reportLength"), QString::number(reportLength)},
            {QStringLiteral("isEncode"), isEncode ? QStringLiteral("true") : QStringLiteral("false")}};
}

VirtualHidBackend &installVirtualBackend()
{
    auto backend = std::make_unique<VirtualHidBackend>();
    VirtualHidBackend &ref = *backend;
    HidSeam::install(std::move(backend));
    return ref;
}

bool copyTree(const QString &from, const QString &to)
{
    bool copied = true;
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        copied = QFile::copy(file, target) && copied;
        QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    return copied;
}

void forgetParsedSettings(const QString &folder)
{
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        const QDateTime later = QFileInfo(file).lastModified().addSecs(2);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(later, QFileDevice::FileModificationTime);
    }
}
