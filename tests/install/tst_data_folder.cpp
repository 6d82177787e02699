// Where the program runs: beside an unpacked build, or in the user's data
// folder seeded from the installed data, without ever overwriting his files.
#include "bridge/myqquickview.h"
#include "device/device_table.h"
#include "platform/data_folder.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"

#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

const QString kShippedModules = QStringLiteral(GEARCONSOLE_SOURCE_DIR "/modules");

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Files and symbolic links, dangling ones included.
QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// An installed tree: usr/bin without data, usr/share/gearconsole/modules.
struct InstalledTree
{
    QTemporaryDir root;
    QString bin() const { return root.path() + QStringLiteral("/usr/bin"); }
    QString shipped() const { return root.path() + QStringLiteral("/usr/share/gearconsole/modules"); }
    QString dataHome() const { return root.path() + QStringLiteral("/home/.local/share"); }
    QString userFolder() const { return dataHome() + QStringLiteral("/gearconsole"); }

    InstalledTree()
    {
        QDir().mkpath(bin());
        QVERIFY(copyTree(kShippedModules, shipped()));
    }
    DataFolderInputs inputs(bool programFolderWritable = true) const
    {
        return {bin(), dataHome(), [programFolderWritable](const QString &) { return programFolderWritable; }};
    }
};

} // namespace

class DataFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void writableUnpackedBuildRunsBesideItself()
    {
        QTemporaryDir build, home;
        QVERIFY(copyTree(kShippedModules, build.path() + QStringLiteral("/modules")));
        const DataFolderChoice choice =
            DataFolder::choose({build.path(), home.path(), [](const QString &) { return true; }});
        QCOMPARE(choice.kind, DataFolderChoice::Kind::ProgramFolder);
        QCOMPARE(choice.workingFolder, QDir(build.path()).canonicalPath());
        QCOMPARE(choice.updaterFolder, QStringLiteral("./update"));
        QVERIFY2(!QFileInfo::exists(home.path() + QStringLiteral("/gearconsole")), "nothing made for the user");
        // The real writability check agrees for a folder this process can write.
        QCOMPARE(DataFolder::choose(DataFolder::inputsFromEnvironment(build.path())).kind,
                 DataFolderChoice::Kind::ProgramFolder);
    }

    void readOnlyUnpackedBuildSeedsTheUserFolder()
    {
        QTemporaryDir build, home;
        const QString modules = build.path() + QStringLiteral("/modules");
        QVERIFY(copyTree(kShippedModules, modules));
        const DataFolderChoice choice =
            DataFolder::choose({build.path(), home.path(), [](const QString &) { return false; }});
        QCOMPARE(choice.kind, DataFolderChoice::Kind::UserFolder);
        QCOMPARE(choice.workingFolder, home.path() + QStringLiteral("/gearconsole"));
        QCOMPARE(choice.updaterFolder, QDir(build.path()).absoluteFilePath(QStringLiteral("update")));
        QCOMPARE(filesBelow(choice.workingFolder + QStringLiteral("/modules")), filesBelow(modules));
        // A folder the program makes is the user's alone.
        QCOMPARE(QFileInfo(choice.workingFolder).permissions()
                     & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        QCOMPARE(bytesOf(choice.workingFolder + QStringLiteral("/modules/setting/apConfig.bin")),
                 bytesOf(modules + QStringLiteral("/setting/apConfig.bin")));
    }

    void installedProgramSeedsOnlyWhatTheUserLacks()
    {
        InstalledTree tree;
        const QString user = tree.userFolder() + QStringLiteral("/modules");
        const QByteArray mine = "[common]\ndeviceCount=0\nlanguage=mine\n";
        writeBytes(user + QStringLiteral("/setting/apConfig.bin"), mine);
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/target"), user + QStringLiteral("/setting/p2.bin")));
        // An installed file that nobody may write still gives the user a copy he can change.
        QFile::setPermissions(tree.shipped() + QStringLiteral("/setting/p3.bin"), QFile::ReadOwner | QFile::ReadOther);

        const DataFolderChoice choice = DataFolder::choose(tree.inputs());
        QCOMPARE(choice.kind, DataFolderChoice::Kind::UserFolder);
        QCOMPARE(choice.workingFolder, tree.userFolder());
        QCOMPARE(choice.updaterFolder, tree.root.path() + QStringLiteral("/usr/libexec/gearconsole/update"));

        QCOMPARE(bytesOf(user + QStringLiteral("/setting/apConfig.bin")), mine);
        QVERIFY(QFileInfo(user + QStringLiteral("/setting/p2.bin")).isSymLink());
        QCOMPARE(bytesOf(user + QStringLiteral("/setting/pD.bin")), bytesOf(tree.shipped() + QStringLiteral("/setting/pD.bin")));
        QCOMPARE(filesBelow(user), filesBelow(tree.shipped()));
        QVERIFY(QFile::permissions(user + QStringLiteral("/setting/p3.bin")) & QFile::WriteOwner);

        // A later start copies what was added to the installed data, and
        // keeps every file the user changed since.
        writeBytes(user + QStringLiteral("/setting/pD.bin"), "changed");
        writeBytes(tree.shipped() + QStringLiteral("/gun/extra.bin"), "new");
        const SeedResult again = DataFolder::seedMissingFiles(tree.shipped(), user);
        QCOMPARE(again.copied, 1);
        QCOMPARE(again.failed, 0);
        QCOMPARE(bytesOf(user + QStringLiteral("/setting/pD.bin")), QByteArray("changed"));
        QCOMPARE(bytesOf(user + QStringLiteral("/gun/extra.bin")), QByteArray("new"));
    }

    void storesOfAnInstalledProgramLiveInTheUserFolder()
    {
        InstalledTree tree;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(DataFolder::choose(tree.inputs()).workingFolder));

        QCOMPARE(readDeviceTable(QStringLiteral("./modules/setting/apConfig.bin")).size(), 6);
        {
            myQQuickView view;
            view.setGlobalData(QStringLiteral("common/url"), QStringLiteral("http://mine.example"));
            view.setData(QStringLiteral("keyboard/marker"), QStringLiteral("user"));
        }
        const QByteArray shippedGlobal = bytesOf(tree.shipped() + QStringLiteral("/setting/apConfig.bin"));
        QVERIFY(!shippedGlobal.contains("mine.example"));
        QSettings global(tree.userFolder() + QStringLiteral("/modules/setting/apConfig.bin"), QSettings::IniFormat);
        QCOMPARE(global.value(QStringLiteral("common/url")).toString(), QStringLiteral("http://mine.example"));
        int profilesMarked = 0;
        for (int n = 1; n <= 10; ++n) {
            const QString name = QStringLiteral("/modules/setting/p%1.bin").arg(n);
            profilesMarked += QSettings(tree.userFolder() + name, QSettings::IniFormat).contains(QStringLiteral("keyboard/marker"));
            QVERIFY(!bytesOf(tree.shipped() + name.mid(8)).contains("marker"));
        }
        QCOMPARE(profilesMarked, 1);
        QDir::setCurrent(previous);
    }

    void unusableUserFoldersAreRefused()
    {
        {
            InstalledTree tree;
            QDir().mkpath(tree.dataHome());
            writeBytes(tree.userFolder(), "a file, not a folder");
            const DataFolderChoice choice = DataFolder::choose(tree.inputs());
            QCOMPARE(choice.kind, DataFolderChoice::Kind::ShippedData);
            QCOMPARE(choice.workingFolder, tree.root.path() + QStringLiteral("/usr/share/gearconsole"));
            QVERIFY(choice.reason.contains(QStringLiteral("not a folder")));
            QCOMPARE(bytesOf(tree.userFolder()), QByteArray("a file, not a folder"));
        }
        {
            InstalledTree tree;
            DataFolderInputs inputs = tree.inputs();
            inputs.dataHome = QStringLiteral("relative/share");
            const DataFolderChoice choice = DataFolder::choose(inputs);
            QCOMPARE(choice.kind, DataFolderChoice::Kind::ShippedData);
            QVERIFY(!QFileInfo::exists(QStringLiteral("relative")));
        }
        if (::geteuid() == 0) {
            InstalledTree tree;
            QDir().mkpath(tree.userFolder());
            const QByteArray folder = QFile::encodeName(tree.userFolder());
            QCOMPARE(::chown(folder.constData(), 65534, 65534), 0);
            const DataFolderChoice choice = DataFolder::choose(tree.inputs());
            QCOMPARE(choice.kind, DataFolderChoice::Kind::ShippedData);
            QVERIFY(choice.reason.contains(QStringLiteral("another user")));
            QVERIFY(filesBelow(tree.userFolder()).isEmpty());
        }
    }

    void nothingShippedKeepsTheProgramFolder()
    {
        QTemporaryDir bare, home;
        const DataFolderChoice choice =
            DataFolder::choose({bare.path(), home.path(), [](const QString &) { return false; }});
        QCOMPARE(choice.kind, DataFolderChoice::Kind::ProgramFolder);
        QCOMPARE(choice.workingFolder, QDir(bare.path()).canonicalPath());
        QVERIFY(!QFileInfo::exists(home.path() + QStringLiteral("/gearconsole")));
    }

    void processChoiceIsMadeAndLoggedOnce()
    {
        InstalledTree tree;
        qputenv("XDG_DATA_HOME", tree.dataHome().toLocal8Bit());
        LogCapture log;
        QCOMPARE(DataFolder::updaterFolder(), QStringLiteral("./update"));
        QCOMPARE(DataFolder::workingFolderFor(tree.bin()), tree.userFolder());
        // Removing the folder shows the second call decides nothing again.
        QVERIFY(QDir(tree.userFolder()).removeRecursively());
        QCOMPARE(DataFolder::workingFolderFor(tree.bin()), tree.userFolder());
        QVERIFY(!QFileInfo::exists(tree.userFolder()));
        QCOMPARE(log.count(QStringLiteral("data folder ") + tree.userFolder()), 1);
        QCOMPARE(DataFolder::updaterFolder(), tree.root.path() + QStringLiteral("/usr/libexec/gearconsole/update"));
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_MAIN(DataFolderTest)
#include "tst_data_folder.moc"
