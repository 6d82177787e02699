#include "safe_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Placement { Replace, NewFile };

constexpr int kChunk = 64 * 1024;

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

QString systemError(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    // Closing can report a write the kernel could not complete.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const char *data, ssize_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size_t(size));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        size -= done;
    }
    return true;
}

// A new file beside the target, named so that it is hidden and unique:
// "." before the name, "." and a number of at most seven base-36 digits after.
static_assert(2 + 7 <= kWriterNameRoom, "the temporary copy's name needs more room");
int createTemporary(const QString &target, mode_t mode, QByteArray *name)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = QFile::encodeName(info.path() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
                                  + QString::number(QRandomGenerator::global()->generate(), 36));
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Puts the finished copy in place: over the target, or only where no file is.
bool place(const QByteArray &temporary, const QByteArray &target, Placement placement)
{
    if (placement == Placement::Replace)
        return ::rename(temporary.constData(), target.constData()) == 0;
    // A second name for the copy is refused when the target exists.
    if (::link(temporary.constData(), target.constData()) != 0)
        return false;
    ::unlink(temporary.constData());
    return true;
}

bool copyThroughTemporary(const QString &source, const QString &requested, Placement placement, QString *error)
{
    // A symbolic link is written through, as an editor would, not replaced.
    const QString target = placement == Placement::Replace ? followedLink(requested) : requested;
    Descriptor in(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
    struct stat sourceInfo {};
    if (in.get() < 0 || ::fstat(in.get(), &sourceInfo) != 0)
        return fail(error, QStringLiteral("cannot read %1: %2").arg(source, systemError(errno)));
    const QByteArray targetName = QFile::encodeName(target);
    struct stat targetInfo {};
    if (placement == Placement::NewFile && ::lstat(targetName.constData(), &targetInfo) == 0)
        return fail(error, QStringLiteral("%1 exists already").arg(target));
    const bool replacing = placement == Placement::Replace && ::stat(targetName.constData(), &targetInfo) == 0;
    const mode_t mode = replacing ? (targetInfo.st_mode & 07777)
                        : placement == Placement::NewFile ? ((sourceInfo.st_mode & 07777) | S_IRUSR | S_IWUSR)
                                                          : mode_t(0666);

    QByteArray temporary;
    Descriptor out(createTemporary(target, mode, &temporary));
    if (out.get() < 0)
        return fail(error, QStringLiteral("cannot write %1: %2").arg(target, systemError(errno)));
    auto discard = [&](const QString &what, int code) {
        ::unlink(temporary.constData());
        return fail(error, QStringLiteral("%1 %2: %3").arg(what, target, systemError(code)));
    };
    // The mode given to open() loses what the umask takes; a replaced file
    // and an imported one keep theirs exactly.
    if ((replacing || placement == Placement::NewFile) && ::fchmod(out.get(), mode) != 0)
        return discard(QStringLiteral("cannot write"), errno);

    QByteArray chunk(kChunk, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const ssize_t got = ::read(in.get(), chunk.data(), size_t(chunk.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return discard(QStringLiteral("cannot read %1 for").arg(source), errno);
        if (got == 0)
            break;
        if (!writeAll(out.get(), chunk.constData(), got))
            return discard(QStringLiteral("cannot write"), errno);
        copied += got;
    }
    // The data must be on the disk, all of it, before the copy gets the name.
    if (::fsync(out.get()) != 0)
        return discard(QStringLiteral("cannot write"), errno);
    struct stat written {};
    if (::fstat(out.get(), &written) != 0 || written.st_size != copied)
        return discard(QStringLiteral("incomplete copy for"), EIO);
    if (!out.close())
        return discard(QStringLiteral("cannot write"), errno);
    if (!place(temporary, targetName, placement))
        return discard(QStringLiteral("cannot replace"), errno);
    return true;
}

} // namespace

QString followedLink(const QString &path)
{
    const QFileInfo info(path);
    const QString resolved = info.isSymLink() ? info.canonicalFilePath() : QString();
    return resolved.isEmpty() ? path : resolved;
}

bool replaceWithCopy(const QString &source, const QString &target, QString *error)
{
    return copyThroughTemporary(source, target, Placement::Replace, error);
}

bool copyToNewFile(const QString &source, const QString &target, QString *error)
{
    return copyThroughTemporary(source, target, Placement::NewFile, error);
}
