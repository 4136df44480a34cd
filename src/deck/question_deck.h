#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One card: the text shown first and the text revealed one interval later.
struct QuestionItem {
    std::u16string question;
    std::u16string answer;

    friend bool operator==(const QuestionItem&, const QuestionItem&) = default;
};

// The cards of the current question file, in file order, and the texts of the
// card drawn last. The display window shows questionText and answerText.
struct QuestionDeck {
    std::vector<QuestionItem> items;
    bool randomOrder = false;
    int32_t nextIndex = 0;          // in file order, the card the next draw takes
    char16_t answerText[256] = {};
    char16_t questionText[256] = {};

    QuestionDeck();

    // Appends a card holding copies of both texts; a null text counts as empty.
    // On std::bad_alloc the deck holds the cards it held before.
    void AddItem(const char16_t* question, const char16_t* answer);
    // Drops every card but keeps the room reserved for them.
    void Clear();
    // Leaves the next card's texts, cut to 255 units, in questionText and answerText.
    // An empty deck leaves both texts empty.
    void DrawNext();
};
