// What a process sees the first time it draws a random card or reads a file. Each
// test runs in a process of its own (see CMakeLists.txt), so each starts with the
// random source at its first value and no locale selected.

#include <string>
#include <vector>

#include "question_file.h"
#include "question_reader.h"
#include "test_support.h"

namespace {

struct Drill {
    bool random;
    int cards;
    std::vector<int> drawn;     // -1: the deck was empty and both texts are
};

struct Run {
    const char* name;
    std::vector<Drill> drills;
};

void PrintTo(const Run& run, std::ostream* os) { *os << run.name; }

class FirstRandomDraws : public testing::TestWithParam<Run> {};

// The source's first values are 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358.
const Run kRuns[] = {
    {"FiveCards", {{true, 5, {1, 2, 4, 0, 4, 4, 3, 3}}}},
    {"ThreeCards", {{true, 3, {2, 2, 1, 1, 2, 1, 0, 0}}}},
    {"ALaterDrillGoesOnWithTheSequence", {{true, 5, {1, 2, 4}}, {true, 5, {0}}}},
    {"FileOrderTakesNoValues", {{true, 5, {1}}, {false, 3, {0, 1, 2, 0}}, {true, 5, {2}}}},
    {"AnEmptyDeckTakesNoValues", {{true, 0, {-1, -1, -1}}, {true, 5, {1}}}},
    {"OneCardTakesAValueEachDraw", {{true, 1, {0, 0}}, {true, 5, {4}}}},
};

TEST_P(FirstRandomDraws, FollowTheFixedSequence)
{
    QuestionDeck deck;
    for (const Drill& drill : GetParam().drills) {
        deck.Clear();
        deck.randomOrder = drill.random;
        deck.nextIndex = 0;
        for (int card = 0; card < drill.cards; ++card) {
            std::u16string text = u"card " + std::u16string(1, static_cast<char16_t>(u'0' + card));
            deck.AddItem(text.c_str(), (text + u" answer").c_str());
        }
        std::vector<int> drawn;
        for (size_t draw = 0; draw < drill.drawn.size(); ++draw) {
            deck.DrawNext();
            std::u16string question = deck.questionText;
            drawn.push_back(question.empty() ? -1 : question.back() - u'0');
            EXPECT_EQ(std::u16string(deck.answerText), question.empty() ? u"" : question + u" answer");
        }
        EXPECT_EQ(drawn, drill.drawn);
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, FirstRandomDraws, testing::ValuesIn(kRuns),
                         [](const testing::TestParamInfo<Run>& info) { return info.param.name; });

TEST(FirstRead, DecodesOneByteToOneUnitUntilTheJapaneseLocaleIsSelected)
{
    const std::string line = "\x8C\xA2,\x82\xA2\x82\xCA\r\n";   // 犬,いぬ in code page 932
    std::string everyByte = "q,";
    std::u16string everyUnit;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != ',' && byte != '\n' && byte != '\r' && byte != 0x1A) {
            everyByte += static_cast<char>(byte);
            everyUnit += static_cast<char16_t>(byte);
        }
    }
    const std::string file = line + everyByte;
    QuestionDeck deck;
    ReadQuestionBytes(reinterpret_cast<const unsigned char*>(file.data()), file.size(), deck);
    EXPECT_EQ(deck.items, (Cards{{u"\u008C\u00A2", u"\u0082\u00A2\u0082\u00CA\n"}, {u"q", everyUnit}}));

    ASSERT_TRUE(SelectJapaneseLocale());
    deck.Clear();
    ReadQuestionBytes(reinterpret_cast<const unsigned char*>(line.data()), line.size(), deck);
    EXPECT_EQ(deck.items, (Cards{{u"犬", u"いぬ\n"}}));
}

} // namespace
