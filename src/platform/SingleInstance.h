#pragma once
// The single-instance marker. Holding it is atomic (the first bind of an abstract Unix
// socket name wins) and the kernel drops it when the process ends, however it ends.
#include <string>

namespace platform {

class SingleInstanceLock {
public:
    // The marker's name for the current user: "MyOwnMutex" and the user id.
    static std::string NameForCurrentUser(const std::string& base = "MyOwnMutex");

    explicit SingleInstanceLock(std::string name);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when another holder has the name; otherwise this object now holds it.
    // An error that leaves the question open answers false, so the program still starts.
    bool HeldElsewhere() const { return heldElsewhere_; }

private:
    int fd_ = -1;
    bool heldElsewhere_ = false;
};

} // namespace platform
