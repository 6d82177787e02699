#include "fuzz_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>

// A failed allocation returns null, as the system's allocator does, instead of
// ending the run. The program's settings reader never hands a value to the
// settings library's binary stream, which asked for what a hostile
// "@Variant(...)" value declared (26 GB for one 173-byte gun preset file);
// the library's own reader is still run as the reference, on inputs without
// such values, and should it be asked anyway, null keeps the run going. An
// allocation the system would grant but that exceeds libFuzzer's limit
// (2 GiB) still counts as a crash.
extern "C" const char *__asan_default_options() { return "allocator_may_return_null=1"; }

namespace fuzz {

namespace {
QTemporaryDir *scratch = nullptr;

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

void setUp()
{
    static int argc = 1;
    static char name[] = "gearconsole_fuzz";
    static char *argv[] = {name, nullptr};
    // Kept to the end of the process: destroyed at exit it could outlive
    // Qt's own globals.
    new QCoreApplication(argc, argv);
    // In memory where there is a tmpfs: the file targets write every input.
    const QString memory = QStringLiteral("/dev/shm");
    scratch = QFileInfo(memory).isWritable() ? new QTemporaryDir(memory + QStringLiteral("/gearconsole-fuzz-XXXXXX"))
                                             : new QTemporaryDir;
    if (!scratch->isValid())
        qFatal("fuzz: no scratch folder");
    qInstallMessageHandler(dropMessage);
    std::atexit([] { scratch->remove(); });
}

QString scratchFolder() { return scratch->path(); }

InScratchFolder::InScratchFolder() : m_previous(QDir::currentPath()) { QDir::setCurrent(scratchFolder()); }

InScratchFolder::~InScratchFolder() { QDir::setCurrent(m_previous); }

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

InputFile::InputFile(const QByteArray &bytes, const QString &folder, const QString &prefix, const QString &suffix)
{
    static quint64 serial = 0;
    m_folder = scratchFolder() + QLatin1Char('/') + folder;
    m_stem = prefix + QString::number(++serial);
    m_path = m_folder + QLatin1Char('/') + m_stem + suffix;
    QDir().mkpath(m_folder);
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("fuzz: cannot write the input to %s", qPrintable(m_path));
}

InputFile::~InputFile() { QFile::remove(m_path); }

QStringList linesOf(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes).split(QLatin1Char('\n'));
}

} // namespace fuzz

// Every target starts the same way; libFuzzer calls this once before the
// first input.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::setUp();
    return 0;
}
