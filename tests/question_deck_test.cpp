#include <algorithm>
#include <string>

#include "question_deck.h"
#include "test_support.h"

namespace {

// Texts that tell every card of a deck apart.
std::u16string Number(int card)
{
    std::u16string digits;
    do
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + card % 10));
    while ((card /= 10) != 0);
    return digits;
}
std::u16string Question(int card) { return u"問" + Number(card); }
std::u16string Answer(int card) { return u"答" + Number(card) + u"\n"; }

// A drill start over cards numbered 0 to count - 1.
void StartDrill(QuestionDeck& deck, int count, bool random)
{
    deck.Clear();
    deck.randomOrder = random;
    deck.nextIndex = 0;
    for (int card = 0; card < count; ++card)
        deck.AddItem(Question(card).c_str(), Answer(card).c_str());
}

void ExpectDrawn(const QuestionDeck& deck, int card)
{
    EXPECT_EQ(std::u16string(deck.questionText), Question(card));
    EXPECT_EQ(std::u16string(deck.answerText), Answer(card));
}

TEST(QuestionDeck, StartsEmptyWithRoomForAThousandCards)
{
    QuestionDeck deck;
    EXPECT_TRUE(deck.items.empty());
    EXPECT_EQ(deck.items.capacity(), 1000u);
    EXPECT_FALSE(deck.randomOrder);
    EXPECT_EQ(deck.nextIndex, 0);
    EXPECT_EQ(deck.questionText[0], 0);
    EXPECT_EQ(deck.answerText[0], 0);
}

TEST(QuestionDeck, FileOrderGoesBackToTheFirstCardAfterTheLast)
{
    QuestionDeck deck;
    StartDrill(deck, 3, false);
    const int cards[] = {0, 1, 2, 0, 1, 2, 0};
    const int nextIndex[] = {1, 2, 3, 1, 2, 3, 1};
    for (int draw = 0; draw < 7; ++draw) {
        SCOPED_TRACE(draw);
        deck.DrawNext();
        ExpectDrawn(deck, cards[draw]);
        EXPECT_EQ(deck.nextIndex, nextIndex[draw]);
    }
}

TEST(QuestionDeck, ADrillStartBeginsAgainAtTheFirstNewCard)
{
    QuestionDeck deck;
    StartDrill(deck, 5, false);
    for (int draw = 0; draw < 4; ++draw)
        deck.DrawNext();
    StartDrill(deck, 2, false);
    ExpectDrawn(deck, 3);   // the last texts stay until the first draw of the new drill
    deck.DrawNext();
    ExpectDrawn(deck, 0);
    deck.DrawNext();
    ExpectDrawn(deck, 1);
}

TEST(QuestionDeck, OneCardIsDrawnEveryTimeInEitherOrder)
{
    for (bool random : {false, true}) {
        SCOPED_TRACE(random ? "random order" : "file order");
        QuestionDeck deck;
        StartDrill(deck, 1, random);
        for (int draw = 0; draw < 5; ++draw) {
            deck.DrawNext();
            ExpectDrawn(deck, 0);
        }
    }
}

TEST(QuestionDeck, RandomOrderDrawsFromTheWholeDeckAndLeavesNextIndexAlone)
{
    QuestionDeck deck;
    StartDrill(deck, 4, true);
    deck.nextIndex = 2;
    bool seen[4] = {};
    for (int draw = 0; draw < 200; ++draw) {
        deck.DrawNext();
        std::u16string question = deck.questionText;
        int card = 0;
        while (card < 4 && Question(card) != question)
            ++card;
        ASSERT_LT(card, 4) << "drew a card that is not in the deck";
        ASSERT_EQ(std::u16string(deck.answerText), Answer(card));
        seen[card] = true;
    }
    EXPECT_EQ(deck.nextIndex, 2);
    EXPECT_TRUE(seen[0] && seen[1] && seen[2] && seen[3]);
}

TEST(QuestionDeck, DrawingFromAnEmptyDeckLeavesBothTextsEmpty)
{
    for (bool random : {false, true}) {
        SCOPED_TRACE(random ? "random order" : "file order");
        QuestionDeck deck;
        StartDrill(deck, 2, random);
        deck.DrawNext();
        StartDrill(deck, 0, random);
        deck.nextIndex = 1;
        deck.DrawNext();
        EXPECT_EQ(deck.questionText[0], 0);
        EXPECT_EQ(deck.answerText[0], 0);
        EXPECT_EQ(deck.nextIndex, 1);
    }
}

TEST(QuestionDeck, AnIndexOutsideTheDeckStartsAgainAtTheFirstCard)
{
    for (int32_t index : {3, 7, -1}) {
        SCOPED_TRACE(index);
        QuestionDeck deck;
        StartDrill(deck, 3, false);
        deck.nextIndex = index;
        deck.DrawNext();
        ExpectDrawn(deck, 0);
        EXPECT_EQ(deck.nextIndex, 1);
    }
}

TEST(QuestionDeck, TextsAreCopiedExactlyAndCutTo255Units)
{
    struct Case {
        size_t length;
        size_t shown;
    } cases[] = {{0, 0}, {1, 1}, {254, 254}, {255, 255}, {256, 255}, {1021, 255}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        // Distinct units, with a line feed at the end as the reader leaves it.
        std::u16string question, answer;
        for (size_t i = 0; i < c.length; ++i) {
            question += static_cast<char16_t>(u'\u4E00' + i);
            answer += i + 1 == c.length ? u'\n' : static_cast<char16_t>(u'a' + i % 26);
        }
        QuestionDeck deck;
        std::fill(std::begin(deck.questionText), std::end(deck.questionText), u'#');
        std::fill(std::begin(deck.answerText), std::end(deck.answerText), u'#');
        deck.AddItem(question.c_str(), answer.c_str());
        deck.DrawNext();
        EXPECT_EQ(deck.items[0].question, question);
        EXPECT_EQ(deck.items[0].answer, answer);
        EXPECT_EQ(std::u16string(deck.questionText), question.substr(0, c.shown));
        EXPECT_EQ(std::u16string(deck.answerText), answer.substr(0, c.shown));
    }
}

TEST(QuestionDeck, AddItemKeepsCopiesOfTheCallersTexts)
{
    char16_t question[] = u"犬";
    char16_t answer[] = u"いぬ\n";
    QuestionDeck deck;
    deck.AddItem(question, answer);
    question[0] = u'猫';
    answer[0] = 0;
    deck.AddItem(u"", nullptr);
    EXPECT_EQ(deck.items, (Cards{{u"犬", u"いぬ\n"}, {u"", u""}}));
    deck.DrawNext();
    deck.DrawNext();
    EXPECT_EQ(deck.questionText[0], 0);
    EXPECT_EQ(deck.answerText[0], 0);
}

TEST(QuestionDeck, RoomGrowsByHalfWhenFull)
{
    QuestionDeck deck;
    std::vector<size_t> rooms{deck.items.capacity()};
    for (int card = 0; card < 7594; ++card) {
        deck.AddItem(Question(card).c_str(), Answer(card).c_str());
        if (deck.items.capacity() != rooms.back())
            rooms.push_back(deck.items.capacity());
    }
    EXPECT_EQ(rooms, (std::vector<size_t>{1000, 1500, 2250, 3375, 5062, 7593, 11389}));
    for (int card : {0, 999, 1000, 7593}) {
        EXPECT_EQ(deck.items[card].question, Question(card));
        EXPECT_EQ(deck.items[card].answer, Answer(card));
    }
}

TEST(QuestionDeck, ClearDropsTheCardsButKeepsTheRoomAndTheRest)
{
    QuestionDeck deck;
    deck.Clear();
    EXPECT_TRUE(deck.items.empty());
    EXPECT_EQ(deck.items.capacity(), 1000u);

    StartDrill(deck, 1200, false);
    deck.DrawNext();
    deck.DrawNext();
    deck.randomOrder = true;
    deck.Clear();
    EXPECT_TRUE(deck.items.empty());
    EXPECT_EQ(deck.items.capacity(), 1500u);
    EXPECT_TRUE(deck.randomOrder);
    EXPECT_EQ(deck.nextIndex, 2);
    ExpectDrawn(deck, 1);

    // A file with no more cards than the room loads into the same storage.
    const QuestionItem* storage = deck.items.data();
    StartDrill(deck, 1500, false);
    EXPECT_EQ(deck.items.data(), storage);
}

} // namespace
