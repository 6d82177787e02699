// Every writer of the user's files on a small tmpfs filled to a few levels:
// the file keeps its last good contents, nothing is left behind, the slot
// answers false where it answers, one log line names the file and the user
// is told. Mounting needs root (as CI runs); elsewhere the cases are skipped.
#include "app/widget.h"
#include "device/device_table.h"
#include "device/hid_thread.h"
#include "macros/macro_test_rig.h"
#include "platform/save_failures.h"
#include "platform/settings_format.h"
#include "support/log_capture.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QtTest>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr qint64 kBlock = 4096;
// Each file under test takes three blocks: no level has room for a copy.
const QByteArray kPadding = "\n[pad]\nfill=" + QByteArray(9000, 'p') + "\n";

QByteArray macroText(const char *step)
{
    QByteArray text = "[config]\nindex=0\ntotal=600\nrepeat=1\ndelay=1\ntimes=1\n\n[macro]\n";
    for (int i = 0; i < 600; ++i)
        text += QByteArray::number(i) + "=\"" + step + QByteArray::number(i) + ",10\"\n";
    return text;
}

// The text of the one message box the window shows, empty while there is none.
QString shownBoxText(Widget &window)
{
    const auto boxes = window.findChildren<QMessageBox *>();
    return boxes.size() == 1 && boxes[0]->isVisible() ? boxes[0]->text() : QString();
}

// A 256 KiB tmpfs, made the working directory, with the files the bridge writes.
struct SmallDisk
{
    SmallDisk() : root(holder.path() + "/disk")
    {
        QDir().mkpath(root);
        mounted = ::mount("tmpfs", QFile::encodeName(root).constData(), "tmpfs", 0, "size=256k") == 0;
        if (!mounted)
            return;
        for (const char *file : {"setting/apConfig.bin", "setting/apConfigD.bin", "setting/pD.bin", "setting/p1.bin",
                                 "setting/p3.bin", "setting/name.bin", "gun/gunData.bin"})
            writeFile(root + "/modules/" + file, fileBytes(GEARCONSOLE_SOURCE_DIR "/modules/" + QString(file)) + kPadding);
        writeFile(root + "/modules/macro/M.bin", macroText("0,A,0,"));
        writeFile(root + "/export.pf", "[old]\nexport=1\n" + kPadding);
        writeFile(root + "/export.mc", "[old]\nexport=2\n" + kPadding);
        writeFile(holder.path() + "/import.pf", "[profile]\nimported=1\n" + kPadding);
        writeFile(holder.path() + "/import.mc", macroText("1,B,1,"));
        QDir::setCurrent(root);
    }
    ~SmallDisk()
    {
        QDir::setCurrent(QDir::tempPath());
        if (mounted)
            ::umount2(QFile::encodeName(root).constData(), MNT_DETACH);
    }
    qint64 freeBlocks() const
    {
        struct statvfs info {};
        ::statvfs(QFile::encodeName(root).constData(), &info);
        return qint64(info.f_bavail);
    }
    // Fills the disk with one file, then gives `blocks` blocks of it back.
    void leaveFree(int blocks) const
    {
        const int fd = ::open(QFile::encodeName(root + "/filler").constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const QByteArray block(kBlock, 'f');
        qint64 size = 0;
        while (::write(fd, block.constData(), kBlock) == kBlock)
            size += kBlock;
        QVERIFY(::ftruncate(fd, size - blocks * kBlock) == 0);
        ::close(fd);
    }
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> all = snapshot(root);
        all.remove(QStringLiteral("filler"));
        return all;
    }

    QTemporaryDir holder;
    QString root;
    bool mounted = false;
};

// The shipped settings on a tmpfs of their own, made read-only after
// `prepare` ran in it: nothing can be renamed or written there.
struct ReadOnlyDisk
{
    template <typename Prepare> explicit ReadOnlyDisk(Prepare prepare) : root(holder.path() + "/disk")
    {
        QDir().mkpath(root);
        const QByteArray mountPoint = QFile::encodeName(root);
        mounted = ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=32m") == 0;
        if (!mounted)
            return;
        copyTree(GEARCONSOLE_SOURCE_DIR "/modules/setting", root + "/modules/setting");
        QDir::setCurrent(root);
        prepare();
        readOnly = ::mount("tmpfs", mountPoint.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=32m") == 0;
    }
    ~ReadOnlyDisk()
    {
        QDir::setCurrent(QDir::tempPath());
        if (mounted)
            ::umount2(QFile::encodeName(root).constData(), MNT_DETACH);
    }

    QTemporaryDir holder;
    QString root;
    bool mounted = false;
    bool readOnly = false;
};

const QStringList kOperations = {"copyProfile", "resetApconfig", "resetProfile", "loadProfile", "saveProfile",
    "setData", "setGlobalData", "store written at the end", "saveMacroIni", "createMacroIni", "saveMacroFile",
    "loadMacroFile", "updataNameList", "mouseSaveGundata"};

// Runs one writer; 1 or 0 for a slot that answers, -1 for one that does not.
int run(const QString &operation, BridgeRig &rig, const SmallDisk &disk)
{
    myQQuickView &view = *rig.view;
    rig.dialogs.answer = disk.root + "/export.pf";
    switch (kOperations.indexOf(operation)) {
    case 0: view.copyProfile(0, 2); return -1;
    case 1: view.resetApconfig(); return -1;
    case 2: view.resetProfile(0); return -1;
    case 3: rig.dialogs.answer = disk.holder.path() + "/import.pf"; return view.loadProfile(0);
    case 4: view.saveProfile(0); return -1;
    case 5: view.setData("keyboard/changed", QString(100, 'c')); QCoreApplication::processEvents(); return -1;
    case 6: view.setGlobalData("common/changed", 7); QCoreApplication::processEvents(); return -1;
    case 7: view.setData("keyboard/changed", 1); rig.closeBridge(); return -1;
    case 8: return view.saveMacroIni("M", QVariantList(600, "1,B,0,30"), 2, 0, 0, 2);
    case 9: return view.createMacroIni("New", 0);
    case 10: rig.dialogs.answer = disk.root + "/export.mc"; view.saveMacroFile("M", 0); return -1;
    case 11: rig.dialogs.answer = disk.holder.path() + "/import.mc"; return view.loadMacroFile("Imported", 0);
    case 12: return view.updataNameList(0, {"M", "N"}, 0);
    case 13: view.mouseSaveGundata("G", {1, 2, 3, 4, 5, 6}); return -1;
    }
    return -2;
}

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void nothingIsLostOrLeftShort_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("blocksFree");
        const char *levels[] = {"full", "room for the lock file only", "room for the lock file and a part"};
        for (const QString &operation : kOperations) {
            // A new macro file is small: two free blocks hold it.
            for (int free = 0; free <= (operation == "createMacroIni" ? 1 : 2); ++free)
                QTest::addRow("%s, %s", qPrintable(operation), levels[free]) << operation << free;
        }
    }
    void nothingIsLostOrLeftShort()
    {
        QFETCH(QString, operation);
        QFETCH(int, blocksFree);
        SmallDisk disk;
        if (!disk.mounted)
            QSKIP("mounting a tmpfs was refused (needs root): the full-disk cases cannot run here");
        BridgeRig rig([&disk] { QDir::setCurrent(disk.root); });
        const auto before = disk.files();
        disk.leaveFree(blocksFree);
        QCOMPARE(disk.freeBlocks(), qint64(blocksFree));

        // An import that could not be copied is told as a file not imported.
        const bool importing = operation.startsWith(QLatin1String("load"));
        QSignalSpy notices(&SaveFailures::instance(), importing ? &SaveFailures::notImported : &SaveFailures::failed);
        QSignalSpy otherNotices(&SaveFailures::instance(), importing ? &SaveFailures::failed : &SaveFailures::notImported);
        LogCapture log;
        const int result = run(operation, rig, disk);

        // Every file as it was; no temporary or kept copy left behind.
        const auto after = disk.files();
        for (auto it = before.begin(); it != before.end(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key() + " changed"));
        QCOMPARE(after.keys(), before.keys());
        QCOMPARE(disk.freeBlocks(), qint64(blocksFree));
        QVERIFY(result == -1 || result == 0);
        QCOMPARE(notices.count(), 1);
        QCOMPARE(otherNotices.count(), 0);
        QCOMPARE(log.count(importing ? "not imported: " : "not saved: "), 1);
        QCOMPARE(log.count(QFileInfo(notices[0][0].toString()).fileName()), 1);
    }

    // A store's file that cannot be read cannot be put aside on a read-only
    // folder either: it is still not read, never written over, and told once
    // however often it is opened; the device table comes from the factory copy.
    void aReadOnlyFolderNeverReadsARefusedFile()
    {
        const QByteArray unreadable = "[x]\ny=1\n" + QByteArray(kMaxSettingsFileSize, ';');
        ReadOnlyDisk disk([&] {
            for (const char *file : {"./modules/setting/apConfig.bin", "./modules/setting/p2.bin"})
                writeFile(file, unreadable);
        });
        if (!disk.readOnly)
            QSKIP("mounting a tmpfs was refused (needs root): the read-only case cannot run here");
        installVirtualBackend();
        const auto before = snapshot(disk.root);
        QSignalSpy told(&SaveFailures::instance(), &SaveFailures::putAside);
        {
            Hid_Thread device;
            QCOMPARE(device.devices().size(), readDeviceTable("./modules/setting/apConfigD.bin").size());
            QVERIFY(device.devices().size() > 0);
            myQQuickView view;
            view.setCurrentProfile(1);
            QVERIFY(!view.getData("x/y", false).isValid());
            QVERIFY(!view.getGlobalData("x/y").isValid());
            view.setData("x/z", 1);
            view.setGlobalData("x/z", 1);
        }
        QCOMPARE(snapshot(disk.root), before);
        QCOMPARE(told.count(), 2);
        for (const QList<QVariant> &report : told)
            QVERIFY(report.at(1).toString().isEmpty());
    }

    // The main window shows the failure, in English or in the UI's Chinese.
    void theWindowTellsTheUser()
    {
        TestWorkspace workspace;
        installVirtualBackend();
        Widget window;
        auto shownText = [&window] { return shownBoxText(window); };
        SaveFailures::instance().report("./modules/setting/p1.bin", "No space left");
        QTRY_COMPARE(shownText(), "p1.bin could not be saved: No space left. It keeps its last saved contents.");
        window.view()->setGlobalData("common/language", "ChineseSimplified");
        SaveFailures::instance().report("./modules/macro/M.bin", "No space left");
        QTRY_VERIFY(shownText().startsWith(QStringLiteral("M.bin 未能保存")));
        SaveFailures::instance().reportNotImported("/home/u/Desktop/gaming.pf", "it holds no settings");
        QTRY_COMPARE(shownText(), QStringLiteral("gaming.pf 未导入：it holds no settings。没有任何更改。"));
        window.view()->setGlobalData("common/language", "English");
        SaveFailures::instance().reportNotImported("/home/u/Desktop/gaming.pf", "it holds no settings");
        QTRY_COMPARE(shownText(), "gaming.pf was not imported: it holds no settings. Nothing was changed.");
    }

    // A store put aside at start, before the window listens, is told once the
    // window is up; one put aside later is told as it happens.
    void theWindowTellsOfAStorePutAside()
    {
        TestWorkspace workspace;
        installVirtualBackend();
        QFile global("./modules/setting/apConfig.bin");
        QVERIFY(global.open(QIODevice::Append) && global.write(QByteArray(kMaxSettingsFileSize, ';')) > 0);
        global.close();
        const qint64 size = QFileInfo(global).size();
        Widget window;
        auto shownText = [&window] { return shownBoxText(window); };
        // The store starts again from its factory copy, whose language is English.
        QTRY_COMPARE(shownText(), QStringLiteral("apConfig.bin could not be read: it is larger (%1 bytes) than any "
                                                 "settings file the program writes. It was kept as "
                                                 "apConfig.bin.refused, and the program goes on without it.")
                                      .arg(size));
        QVERIFY(QFile::exists("./modules/setting/apConfig.bin.refused"));
        window.view()->setGlobalData("common/language", "ChineseSimplified");
        SaveFailures::instance().reportPutAside("./modules/setting/p1.bin", "./modules/setting/p1.bin.refused.2",
                                                "it is a folder");
        QTRY_VERIFY(shownText().startsWith(QStringLiteral("p1.bin 无法读取：it is a folder。")));
        QVERIFY(shownText().contains(QStringLiteral("p1.bin.refused.2，")));
        SaveFailures::instance().reportPutAside("./modules/setting/p1.bin", QString(), "it is a folder");
        QTRY_COMPARE(shownText(), QStringLiteral("p1.bin 无法读取：it is a folder。它保持原样，程序不使用它继续运行。"));
    }

    // The help menu's Update where the edition's update program is missing: the
    // window says so, in the UI's language, not only the log.
    void theWindowTellsOfAnUpdaterThatCannotStart()
    {
        TestWorkspace workspace;
        installVirtualBackend();
        Widget window;
        auto shownText = [&window] { return shownBoxText(window); };
        window.view()->setGlobalData("common/language", "ChineseSimplified");
        window.view()->openUpdateExe(0);
        QTRY_VERIFY(shownText().startsWith(QStringLiteral("无法启动固件更新程序 tarnelUK：it is not installed in ")));
        window.view()->setGlobalData("common/language", "English");
        window.view()->openUpdateExe(4);
        QTRY_VERIFY(shownText().startsWith(QStringLiteral("The firmware update program dusken could not be started: "
                                                          "it is not installed in ")));
        QVERIFY(shownText().endsWith(QStringLiteral(". Nothing was changed on the keyboard.")));
        if (const QString folder = qEnvironmentVariable("GEARCONSOLE_SCREENSHOT_DIR"); !folder.isEmpty())
            QVERIFY(window.findChild<QMessageBox *>()->grab().save(folder + QStringLiteral("/updater-not-started.png")));
    }
};

QTEST_MAIN(TestFullDisk)
#include "tst_full_disk.moc"
