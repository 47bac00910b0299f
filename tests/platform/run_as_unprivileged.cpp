#include "run_as_unprivileged.h"

#include <QDirIterator>
#include <QFile>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ssn::testing {
namespace {

constexpr uid_t kNobody = 65534;
// nobody's private group in the child's account files ("nogroup" is shared by other accounts).
constexpr gid_t kPrivateGroup = 65533;
constexpr int kCouldNotDropPrivileges = 125;
constexpr int kKilledBySignal = 128;

// In a mount namespace of the child's own: an empty root's home, and account files in which
// nobody's primary group is a group named after it that lists `members`, and another group of
// that name is not its primary group.
bool mountAccountsOfTheChildsOwn(const QByteArray& members) {
    const QByteArray home = ::getpwuid(0)->pw_dir;
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", home.constData(), "tmpfs", 0, "mode=0700") != 0)
        return false;
    for (const char* name : {"/etc/passwd", "/etc/group"}) {
        QFile real(QString::fromLatin1(name));
        QFile copy(QString::fromLatin1(home + "/.accounts"));
        if (!real.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
            return false;
        copy.write(QByteArray(name) == "/etc/group"
                       ? real.readAll() + "nobody:x:65533:" + members + "\nnobody:x:65531:nobody\n"
                       : real.readAll().replace("nobody:x:65534:65534:", "nobody:x:65534:65533:"));
        copy.close();
        if (::mount(copy.fileName().toLatin1().constData(), name, nullptr, MS_BIND, nullptr) != 0 ||
            !copy.remove())
            return false;
    }
    return true;
}

} // namespace

std::optional<int> runAsUnprivileged(const std::function<int()>& check, bool asRoot, const char* members) {
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        if (::geteuid() == 0 && (!mountAccountsOfTheChildsOwn(members) ||
                                 (!asRoot && (::setgroups(0, nullptr) != 0 || ::setgid(kPrivateGroup) != 0 ||
                                              ::setuid(kNobody) != 0))))
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
