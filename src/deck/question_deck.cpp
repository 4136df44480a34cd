#include "question_deck.h"

#include <algorithm>

namespace {

// The deck's random source: the same sequence in every run, from state 1, never
// reseeded, shared by every random drill of the process.
uint32_t g_randomState = 1;

int NextRandom()
{
    g_randomState = g_randomState * 214013u + 2531011u;
    return static_cast<int>((g_randomState >> 16) & 0x7FFF);
}

void CopyText(const std::u16string& text, char16_t (&buffer)[256])
{
    size_t length = std::min<size_t>(text.size(), 255);
    text.copy(buffer, length);
    buffer[length] = 0;
}

} // namespace

QuestionDeck::QuestionDeck()
{
    items.reserve(1000);
}

void QuestionDeck::AddItem(const char16_t* question, const char16_t* answer)
{
    // Build the card before growing, so that a failure at either step leaves the deck as it was.
    QuestionItem item{question ? question : u"", answer ? answer : u""};
    if (items.size() == items.capacity())
        items.reserve(std::max(items.capacity() + items.capacity() / 2, items.size() + 1));
    items.push_back(std::move(item));
}

void QuestionDeck::Clear()
{
    items.clear();
}

void QuestionDeck::DrawNext()
{
    int32_t count = static_cast<int32_t>(items.size());
    if (count == 0) {
        questionText[0] = 0;
        answerText[0] = 0;
        return;
    }
    int32_t card;
    if (randomOrder) {
        card = NextRandom() % count;
    } else {
        card = nextIndex;
        if (card < 0 || card >= count)
            card = 0;
        nextIndex = card + 1;
    }
    CopyText(items[card].question, questionText);
    CopyText(items[card].answer, answerText);
}
