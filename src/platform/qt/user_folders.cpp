#include "platform/qt/user_folders.h"

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ssn::platform {
namespace {

constexpr char16_t kFirstEscapedByte = 0xDC80;
constexpr char16_t kLastEscapedByte = 0xDCFF;

bool isEscapedByte(QChar character) {
    return character.unicode() >= kFirstEscapedByte && character.unicode() <= kLastEscapedByte;
}

} // namespace

QByteArray encodePath(const QString& path) {
    QByteArray encoded;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isEscapedByte(path.at(i)))
            continue;
        encoded += QStringView(path).sliced(runStart, i - runStart).toUtf8();
        if (i < path.size())
            encoded += char(path.at(i).unicode() - 0xDC00);
        runStart = i + 1;
    }
    return encoded;
}

QString decodePath(const QByteArray& path) {
    const QString text = QString::fromUtf8(path);
    if (text.toUtf8() == path)
        return text;
    QString escaped;
    for (const char byte : path)
        escaped += uchar(byte) < 0x80 ? QChar(byte) : QChar(char16_t(0xDC00 + uchar(byte)));
    return escaped;
}

bool othersMayWrite(const struct stat& folder) {
    if ((folder.st_mode & S_IWOTH) != 0)
        return true;
    if ((folder.st_mode & S_IWGRP) == 0)
        return false;
    const passwd* me = ::getpwuid(::geteuid());
    const QByteArray myName = me != nullptr ? QByteArray(me->pw_name) : QByteArray();
    if (const group* members = ::getgrgid(folder.st_gid)) {
        for (char** member = members->gr_mem; *member != nullptr; ++member) {
            if (myName != *member)
                return true;
        }
    }
    bool shared = false;
    ::setpwent();
    while (const passwd* account = ::getpwent()) {
        if (account->pw_gid == folder.st_gid && account->pw_uid != ::geteuid()) {
            shared = true;
            break;
        }
    }
    ::endpwent();
    return shared;
}

bool rootInAnotherUsersTree(const QString& folder) {
    if (::geteuid() != 0)
        return false;
    QByteArray path = encodePath(folder);
    struct stat status {};
    while (::stat(path.constData(), &status) != 0) {
        const qsizetype slash = path.lastIndexOf('/');
        if (errno != ENOENT || slash <= 0)
            return errno != ENOENT;
        path.truncate(slash);
    }
    return status.st_uid != 0;
}

bool makeFolders(const QString& folder) {
    const QByteArray path = encodePath(folder);
    for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1))
        ::mkdir(path.first(slash).constData(), 0777);
    ::mkdir(path.constData(), 0700);
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace ssn::platform
