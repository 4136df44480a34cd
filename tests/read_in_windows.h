#pragma once

// Hands bytes to the reader a few at a time, so that a window can end anywhere:
// between CR and LF, between a lead byte and its second byte, before a 0x1A.

#include <algorithm>
#include <string_view>

#include "question_reader.h"

struct Windows {
    std::string_view bytes;
    size_t width;       // bytes per window; 0: all of them in one
    size_t offset = 0;
};

inline bool FillNextWindow(ByteSource& source)
{
    Windows& windows = *static_cast<Windows*>(source.file);
    if (windows.offset == windows.bytes.size())
        return false;
    size_t width = std::min(windows.width, windows.bytes.size() - windows.offset);
    source.next = reinterpret_cast<const unsigned char*>(windows.bytes.data()) + windows.offset;
    source.end = source.next + width;
    windows.offset += width;
    return true;
}

inline void ReadInWindows(std::string_view bytes, size_t width, QuestionDeck& deck)
{
    Windows windows{bytes, width == 0 ? bytes.size() : width};
    ByteSource source;
    source.fill = FillNextWindow;
    source.file = &windows;
    ReadQuestions(source, deck);
}
