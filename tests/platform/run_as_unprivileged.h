#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace ssn::testing {

// Runs `check` in a child process under an unprivileged user (the "nobody" account when this
// process runs as root, else the current user), or as root with `asRoot`, and gives back the
// child's exit code (128 + the signal when it was killed), or nothing when no child could be
// started or set up. As root, the child sees an account database of its own: "nobody" has a
// private group, "nobody" (65533), that lists it as its member (or `members`), as a user's group
// on Debian does, and another group named "nobody" (65531) is not its own; root's home is an
// empty folder of the child's.
std::optional<int> runAsUnprivileged(const std::function<int()>& check, bool asRoot = false,
                                     const char* members = "nobody");

// Gives `path` and everything below it to that user, so the child can use it as its own;
// false when that failed.
bool handToUnprivileged(const QString& path);

} // namespace ssn::testing
