// Test support for the Windows end-to-end test: opens the file that earlier versions of the
// program locked, %LOCALAPPDATA%\PROGRAM_NAME\PROGRAM_NAME.lock, sharing everything as a virus
// scanner does, says "holding" and waits to be ended.
//
//   hold_lock_file PROGRAM_NAME

#include <cstdio>
#include <cstring>
#include <string>
#include <windows.h>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: hold_lock_file PROGRAM_NAME\n", stderr);
        return 2;
    }
    wchar_t root[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", root, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    const std::wstring name(argv[1], argv[1] + std::strlen(argv[1]));
    const std::wstring folder = std::wstring(root) + L"\\" + name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + name + L".lock";
    if (::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_ALWAYS, 0, nullptr) == INVALID_HANDLE_VALUE)
        return 1;
    std::puts("holding");
    std::fflush(stdout);
    ::Sleep(INFINITE);
    return 0;
}
