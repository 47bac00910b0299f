#pragma once

#include "platform/platform.h"

#include <QLockFile>
#include <memory>
#include <optional>

namespace ssn::platform {

// Tells whether another copy runs for the same user by taking a lock file named after the
// executable in the user's runtime folder. The lock is held for the life of this object
// (the whole run); a lock left behind by a copy that was killed is taken over, because
// its process no longer exists. The answer is settled at the first question.
class QtInstanceGuard : public InstanceGuard {
public:
    explicit QtInstanceGuard(ExecutableInfo& executable);
    ~QtInstanceGuard() override;

    bool previousInstanceRunning() override;

private:
    bool anotherCopyHoldsTheLock();

    ExecutableInfo& m_executable;
    std::unique_ptr<QLockFile> m_lock;
    std::optional<bool> m_answer;
};

} // namespace ssn::platform
