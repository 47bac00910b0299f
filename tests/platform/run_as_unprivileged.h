#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace ssn::testing {

// Runs `check` in a child process under an unprivileged user (the "nobody" account in a group
// of its own when this process runs as root, else the current user) and gives back the child's exit code
// (128 + the signal when it was killed), or nothing when no child could be started or the
// privileges could not be dropped.
std::optional<int> runAsUnprivileged(const std::function<int()>& check);

// Gives `path` and everything below it to that user, so the child can use it as its own;
// false when that failed.
bool handToUnprivileged(const QString& path);

} // namespace ssn::testing
