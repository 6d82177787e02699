#include "update_lock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace firmware {

std::string UpdateLock::defaultPath()
{
    const char *chosen = std::getenv("BURNLET_UPDATE_LOCK");
    return chosen && *chosen ? chosen : "/tmp/burnlet-update.lock";
}

UpdateLock::UpdateLock(std::string path) : path_(std::move(path)) {}

UpdateLock::~UpdateLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool UpdateLock::take()
{
    if (fd_ >= 0)
        return true;
    heldElsewhere_ = false;
    // Another user's lock file in a sticky folder may be opened for reading only (the
    // system refuses to create over it), and a lock can be taken through such a descriptor.
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd >= 0)
            ::fchmod(fd, 0644);  // whatever the umask, others must be able to open it
        else if (errno == EEXIST)
            fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    if (fd < 0) {
        why_ = "the lock file " + path_ + " cannot be opened: " + std::strerror(errno);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        heldElsewhere_ = errno == EWOULDBLOCK;
        why_ = heldElsewhere_ ? "another firmware update is running"
                              : "the lock file " + path_ + " cannot be locked: " + std::strerror(errno);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

}  // namespace firmware
