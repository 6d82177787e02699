// One firmware update at a time on this computer, whoever runs it and with which program
// (the update window or burnlet-flash): a lock on a file that every update takes before it
// looks for the boot loader. The system drops the lock when its holder ends, however it ends.
#pragma once

#include <string>

namespace firmware {

class UpdateLock {
public:
    // The lock file: $BURNLET_UPDATE_LOCK when set, else one in /tmp shared by every user,
    // since the boot loader is one device whoever talks to it.
    static std::string defaultPath();

    explicit UpdateLock(std::string path = defaultPath());
    ~UpdateLock();
    UpdateLock(const UpdateLock &) = delete;
    UpdateLock &operator=(const UpdateLock &) = delete;

    // False when another update holds it, or the lock file cannot be made (why() says).
    bool take();
    bool held() const { return fd_ >= 0; }
    bool heldElsewhere() const { return heldElsewhere_; }
    const std::string &why() const { return why_; }

private:
    std::string path_;
    int fd_ = -1;
    bool heldElsewhere_ = false;
    std::string why_;
};

}  // namespace firmware
