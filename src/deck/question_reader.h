#pragma once

// The platform-free half of the question file reader: decoding, lines and fields.
// The platform's half opens the file and hands its bytes over through a ByteSource.

#include <array>
#include <cstddef>

#include "question_deck.h"

// How bytes become UTF-16 units. Until SelectJapaneseLocale succeeds no byte is a
// lead byte and every byte stands for the unit of its own value. A unit 0 marks
// bytes that are no character; byte 0x00 alone is the unit 0 all the same.
extern std::array<bool, 256> g_leadByte;
extern std::array<char16_t, 256> g_byteUnit;
extern std::array<std::array<char16_t, 256>, 256> g_pairUnit;   // [lead byte][second byte]

// Stands for a lead byte and a non-zero second byte that form no character: the
// code page's own default character, which the platform shows for such a pair.
constexpr char16_t kNoCharacterUnit = u'\u30FB';

// A window [next, end) on the bytes of a file, and the way to fetch the next window.
struct ByteSource {
    const unsigned char* next = nullptr;
    const unsigned char* end = nullptr;
    // Sets the window to the following bytes; false at the end of the file or on a
    // read error. Null when all the bytes are in the first window.
    bool (*fill)(ByteSource& source) = nullptr;
    void* file = nullptr;               // for fill
};

// Reads the bytes to their end, adding a card to the deck for each line with two
// fields. Running out of memory stops the reading and keeps the cards added so far.
void ReadQuestions(ByteSource& source, QuestionDeck& deck);

// The same for a question file that is already in memory.
void ReadQuestionBytes(const unsigned char* data, size_t size, QuestionDeck& deck);
