#include "run_as_unprivileged.h"

#include <QDirIterator>
#include <QFile>
#include <sys/wait.h>
#include <unistd.h>

namespace ssn::testing {
namespace {

constexpr uid_t kNobody = 65534;
constexpr int kCouldNotDropPrivileges = 125;
constexpr int kKilledBySignal = 128;

} // namespace

std::optional<int> runAsUnprivileged(const std::function<int()>& check) {
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
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
    bool given = ::lchown(QFile::encodeName(path).constData(), kNobody, kNobody) == 0;
    QDirIterator below(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (below.hasNext())
        given = ::lchown(QFile::encodeName(below.next()).constData(), kNobody, kNobody) == 0 && given;
    return given;
}

} // namespace ssn::testing
