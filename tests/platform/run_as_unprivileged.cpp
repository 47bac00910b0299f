#include "run_as_unprivileged.h"

#include <QDirIterator>
#include <QFile>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ssn::testing {
namespace {

constexpr uid_t kNobody = 65534;
// A group of the user's alone, as a private group is ("nogroup" has other accounts in it).
constexpr gid_t kPrivateGroup = 65533;
constexpr int kCouldNotDropPrivileges = 125;
constexpr int kKilledBySignal = 128;

} // namespace

std::optional<int> runAsUnprivileged(const std::function<int()>& check) {
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kPrivateGroup) != 0 || ::setuid(kNobody) != 0))
            ::_exit(kCouldNotDropPrivileges);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return std::nullopt;
    if (WIFSIGNALED(status))
        return kKilledBySignal + WTERMSIG(status); // a crash is a result, not a reason to skip
    if (WEXITSTATUS(status) == kCouldNotDropPrivileges)
        return std::nullopt;
    return WEXITSTATUS(status);
}

bool handToUnprivileged(const QString& path) {
    if (::geteuid() != 0)
        return true;
    bool given = ::lchown(QFile::encodeName(path).constData(), kNobody, kPrivateGroup) == 0;
    QDirIterator below(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (below.hasNext())
        given = ::lchown(QFile::encodeName(below.next()).constData(), kNobody, kPrivateGroup) == 0 && given;
    return given;
}

} // namespace ssn::testing
