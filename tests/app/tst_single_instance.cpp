// Several starts of the program at the same moment, as real processes: one
// stays, every other hands over its message to it and exits with 1; also
// after the running one was killed and left its lock and socket behind. And
// a second local user who plants files where the program might look cannot
// keep it from starting.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void simultaneousStartsLeaveOneInstance()
    {
        constexpr int kStarts = 6;
        constexpr int kRounds = 10;
        QTemporaryDir socketFolder;  // where the socket and its lock go
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), socketFolder.path());

        for (int round = 0; round < kRounds; ++round) {
            std::vector<std::unique_ptr<QProcess>> starts;
            for (int i = 0; i < kStarts; ++i) {
                starts.push_back(std::make_unique<QProcess>());
                starts.back()->setProcessEnvironment(environment);
                starts.back()->start(QStringLiteral(SINGLE_INSTANCE_PROBE), {QStringLiteral("gearconsole-test-instance")});
                QVERIFY(starts.back()->waitForStarted());
            }
            for (auto &start : starts)
                start->write("go\n");

            auto ended = [&] {
                return int(std::count_if(starts.begin(), starts.end(), [](auto &p) { return p->state() == QProcess::NotRunning; }));
            };
            QTRY_COMPARE_WITH_TIMEOUT(ended(), kStarts - 1, 10000);
            QProcess *running = nullptr;
            for (auto &start : starts) {
                if (start->state() != QProcess::NotRunning)
                    running = start.get();
                else
                    QCOMPARE(start->exitCode(), 1);
            }
            QByteArray output;
            QTRY_COMPARE((output += running->readAllStandardOutput()).count("message"), kStarts - 1);
            QVERIFY(output.startsWith("first\n"));

            // Every other round the running instance dies and leaves its lock behind.
            if (round % 2)
                running->kill();
            else
                running->closeWriteChannel();
            QVERIFY(running->waitForFinished(5000));
        }
    }

    void anotherUsersFilesDoNotStopAStart_data()
    {
        QTest::addColumn<QString>("runtimeFolder");  // the program's XDG_RUNTIME_DIR
        QTest::addColumn<QString>("refusal");        // what the log must say of it
        QTest::newRow("runtime folder made by the other user") << "other:0700" << "belongs to user";
        QTest::newRow("runtime folder open to everyone") << "user:0777" << "others may enter it";
        QTest::newRow("no runtime folder") << "" << "";
        QTest::newRow("a lock of the other user in the shared temporary folder") << "user:0700" << "";
    }
    void anotherUsersFilesDoNotStopAStart()
    {
        QFETCH(QString, runtimeFolder);
        QFETCH(QString, refusal);
        if (getuid() != 0)
            QSKIP("a second local user is made only where the test runs as root");
        const char *names[] = {"gearconsole-user", "gearconsole-other"};
        for (const char *name : names) {
            if (!getpwnam(name))
                QCOMPARE(QProcess::execute(QStringLiteral("useradd"), {"--no-create-home", "--shell", "/bin/false", name}), 0);
        }
        const uid_t user = getpwnam(names[0])->pw_uid, other = getpwnam(names[1])->pw_uid;
        QTemporaryDir scratch;
        QVERIFY(QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                          | QFile::ExeOther));
        const QString home = scratch.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home) && chown(home.toUtf8(), user, user) == 0);
        const QString id = QStringLiteral("gearconsole-test-%1").arg(user);

        // Where the other user can write, it leaves a lock only it can read.
        auto plant = [&](const QString &folder, uid_t owner, int mode) {
            QVERIFY(QDir().mkpath(folder) && chown(folder.toUtf8(), owner, owner) == 0);
            QVERIFY(chmod(folder.toUtf8(), mode) == 0);
            if (owner != other && !(mode & 0002))
                return;
            QFile lock(folder + QLatin1Char('/') + id + QStringLiteral(".lock"));
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write("99999\nsomeone\nelsewhere\n");
            lock.close();
            QVERIFY(chown(lock.fileName().toUtf8(), other, other) == 0 && chmod(lock.fileName().toUtf8(), 0600) == 0);
        };
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.remove(QStringLiteral("XDG_CACHE_HOME"));
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("TMPDIR"), scratch.filePath(QStringLiteral("shared")));
        plant(scratch.filePath(QStringLiteral("shared")), 0, 01777);  // the shared temporary folder
        if (!runtimeFolder.isEmpty()) {
            const QString folder = scratch.filePath(QStringLiteral("run"));
            plant(folder, runtimeFolder.startsWith("other") ? other : user, runtimeFolder.mid(runtimeFolder.indexOf(':') + 1).toInt(nullptr, 8));
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder);
        }
        auto start = [&](QProcess &probe) {
            probe.setProcessEnvironment(environment);
            probe.start(QStringLiteral("runuser"), {"-p", "-u", names[0], "--", QStringLiteral(SINGLE_INSTANCE_PROBE), id});
            QVERIFY(probe.waitForStarted());
            probe.write("go\n");
        };

        QProcess first, second;
        start(first);
        QByteArray log;
        QByteArray output;
        QTRY_VERIFY2_WITH_TIMEOUT((log += first.readAllStandardError(), output += first.readAllStandardOutput(),
                                   output.contains("first")), log.constData(), 10000);
        QVERIFY2(refusal.isEmpty() ? !log.contains("refused") : log.contains(refusal.toUtf8()), log.constData());
        start(second);
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 1);
        QTRY_VERIFY((output += first.readAllStandardOutput()).contains("message"));
        first.closeWriteChannel();
        QVERIFY(first.waitForFinished(5000));
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
