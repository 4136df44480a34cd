#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "question_deck.h"

inline void PrintTo(const QuestionItem& item, std::ostream* os)
{
    *os << "{" << testing::PrintToString(item.question) << ", "
        << testing::PrintToString(item.answer) << "}";
}

using Cards = std::vector<QuestionItem>;

// A folder of its own under the system's temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes the bytes to a file of that name in the folder and gives its path.
    std::filesystem::path Write(const std::filesystem::path& name, std::string_view bytes) const;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// True when no handle of this process is open on the file.
bool NoHandleOpenOn(const std::filesystem::path& path);
