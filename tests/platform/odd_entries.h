#pragma once

// What the tests put where the program expects a file of its own: a file with given contents
// (owner-only), or a FIFO.

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace ssn::testing {

inline void writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

inline void putFifo(const QString& path) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
}

} // namespace ssn::testing
