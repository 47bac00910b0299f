#pragma once

// A private temporary folder for the settings store and the single-instance lock, set as
// XDG_CONFIG_HOME and XDG_RUNTIME_DIR, so that a benchmark never reads or writes the
// user's own settings and never meets a copy of the program the user is running.
// Standard C++ and POSIX only; it must be created before any Qt application object.

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace ssn::bench {

class PrivateEnvironment {
public:
    PrivateEnvironment() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ssn-bench.XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        m_root = pattern;
        // The runtime folder must be private (0700), or the lock is not taken there.
        const auto ownerOnly = std::filesystem::perms::owner_all;
        for (const char* name : {"config", "runtime"}) {
            std::filesystem::create_directory(m_root / name);
            std::filesystem::permissions(m_root / name, ownerOnly);
        }
        ::setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtimeFolder().c_str(), 1);
    }
    ~PrivateEnvironment() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    PrivateEnvironment(const PrivateEnvironment&) = delete;
    PrivateEnvironment& operator=(const PrivateEnvironment&) = delete;

    std::filesystem::path root() const { return m_root; }
    std::filesystem::path runtimeFolder() const { return m_root / "runtime"; }

private:
    std::filesystem::path m_root;
};

} // namespace ssn::bench
