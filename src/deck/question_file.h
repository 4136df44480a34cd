#pragma once

#include "question_deck.h"

// Selects the Japanese locale, "JPN", for the question files of the whole process.
// Until it succeeds, files decode one byte to one unit of the same value; once it
// has, they decode as code page 932.
bool SelectJapaneseLocale();

// Appends one card per line of the question file to the deck (question, then
// answer). False when the file cannot be opened; the deck is then unchanged.
// The file is closed before this returns.
bool ReadQuestionFile(const char16_t* path, QuestionDeck& deck);
