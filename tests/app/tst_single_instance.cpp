// Several starts of the program at the same moment, as real processes: one
// stays, every other hands over its message to it and exits with 1; also
// after the running one was killed and left its lock and socket behind.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

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
        environment.insert(QStringLiteral("TMPDIR"), socketFolder.path());

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
};

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
