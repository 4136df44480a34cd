#include "test_support.h"

#include <chrono>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

ScratchFolder::ScratchFolder()
{
    auto base = std::filesystem::temp_directory_path();
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0;; ++attempt) {
        path_ = base / ("tarrowin-test-" + std::to_string(stamp) + "-" + std::to_string(attempt));
        if (std::filesystem::create_directory(path_))
            break;
    }
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchFolder::Write(const std::filesystem::path& name, std::string_view bytes) const
{
    auto file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        ADD_FAILURE() << "cannot write " << file;
    return file;
}

bool NoHandleOpenOn(const std::filesystem::path& path)
{
#ifdef _WIN32
    // Only a file that nobody holds open can be opened without sharing.
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
#else
    auto target = std::filesystem::canonical(path);
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) == target)
            return false;
    }
    return true;
#endif
}
