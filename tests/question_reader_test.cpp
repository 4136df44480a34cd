#include <string>
#include <string_view>

#include "question_file.h"
#include "question_reader.h"
#include "read_in_windows.h"
#include "test_support.h"

using namespace std::literals;

namespace {

class QuestionReader : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SelectJapaneseLocale()); }

    // The cards read from the bytes, checked to be the same whatever windows the bytes
    // arrive in.
    static Cards Read(std::string_view bytes)
    {
        QuestionDeck whole;
        ReadQuestionBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), whole);
        for (size_t width : {1, 2, 3, 7}) {
            QuestionDeck windowed;
            ReadInWindows(bytes, width, windowed);
            EXPECT_EQ(windowed.items, whole.items) << "in windows of " << width << " bytes";
        }
        return whole.items;
    }
};

struct LineCase {
    const char* name;
    std::string_view bytes;
    Cards cards;
};

// 犬 8C A2, いぬ 82 A2 82 CA, 猫 94 4C, ねこ 82 CB 82 B1, 表 95 5C, おもて 82 A8 82 E0 82 C4,
// ， 81 43, ソ 83 5C, 十 8F 5C, ｲﾇ B2 C7.
const LineCase kLines[] = {
    {"CrLfReadsAsLf", "\x8C\xA2,\x82\xA2\x82\xCA\r\n"sv, {{u"犬", u"いぬ\n"}}},
    {"LfEndsALine", "\x8C\xA2,\x82\xA2\x82\xCA\n\x94\x4C,\x82\xCB\x82\xB1\n"sv, {{u"犬", u"いぬ\n"}, {u"猫", u"ねこ\n"}}},
    {"LastLineWithoutLineEnd", "\x8C\xA2,\x82\xA2\x82\xCA"sv, {{u"犬", u"いぬ"}}},
    {"ThirdFieldIsIgnored", "\x8C\xA2,\x82\xA2\x82\xCA,dog\r\n"sv, {{u"犬", u"いぬ"}}},
    {"EmptyFieldsAreSkipped", ",\x8C\xA2,,\x82\xA2\x82\xCA\r\n"sv, {{u"犬", u"いぬ\n"}}},
    {"AnswerOfTheLineEndAlone", "\x8C\xA2,\r\n"sv, {{u"犬", u"\n"}}},
    {"TrailingCommaEndsTheAnswer", "\x8C\xA2,\x82\xA2\x82\xCA,\r\n"sv, {{u"犬", u"いぬ"}}},
    {"SpacesArePartOfTheFields", "\x8C\xA2 , \x82\xA2\x82\xCA\r\n"sv, {{u"犬 ", u" いぬ\n"}}},
    {"FullWidthCommaIsAnOrdinaryCharacter", "\x8C\xA2\x81\x43\x82\xA2\x82\xCA,inu\r\n"sv, {{u"犬，いぬ", u"inu\n"}}},
    {"OnlyTheCrBeforeLfIsDropped", "\x8C\xA2,\x82\xA2\x82\xCA\r\r\n"sv, {{u"犬", u"いぬ\r\n"}}},
    {"ZeroByteEndsTheLinesText", "\x8C\xA2,\x82\xA2\x82\xCA\0xyz\r\n\x94\x4C,\x82\xCB\x82\xB1\r\n"sv,
     {{u"犬", u"いぬ"}, {u"猫", u"ねこ\n"}}},
    {"LoneCrIsAnOrdinaryCharacter", "\x8C\xA2,\x82\xA2\x82\xCA\r\x94\x4C,\x82\xCB\x82\xB1\r"sv, {{u"犬", u"いぬ\r猫"}}},
    {"LinesWithoutTwoFieldsGiveNoCard", "\r\n\x8C\xA2\r\n,,,\r\n\x94\x4C,\x82\xCB\x82\xB1\r\n\x8C\xA2,"sv, {{u"猫", u"ねこ\n"}}},
    {"EmptyFile", ""sv, {}},
    {"CtrlZEndsTheData", "\x8C\xA2,\x82\xA2\x82\xCA\r\n\x1A\x94\x4C,\x82\xCB\x82\xB1\r\n"sv, {{u"犬", u"いぬ\n"}}},
    {"CtrlZFirstGivesNothing", "\x1A\x8C\xA2,\x82\xA2\x82\xCA\r\n"sv, {}},
    {"CtrlZInsideALine", "\x8C\xA2,\x82\xA2\x1A\x82\xCA\r\n"sv, {{u"犬", u"い"}}},
    {"CrBeforeCtrlZStays", "\x8C\xA2,\x82\xA2\r\x1A\n"sv, {{u"犬", u"い\r"}}},
    {"SecondByte5CIsNoBackslash", "\x95\x5C,\x82\xA8\x82\xE0\x82\xC4\r\n\x83\x5C,\x8F\x5C\r\n"sv,
     {{u"表", u"おもて\n"}, {u"ソ", u"十\n"}}},
    {"HalfWidthKatakanaAreSingleBytes", "\xB2\xC7,\x8C\xA2\n"sv, {{u"ｲﾇ", u"犬\n"}}},
    {"LeadByteAtTheEndIsDropped", "\x8C\xA2,\x82\xA2\x82"sv, {{u"犬", u"い"}}},
    {"LeadByteBeforeCtrlZIsDropped", "\x8C\xA2,\x82\xA2\x82\x1A,x\n"sv, {{u"犬", u"い"}}},
    // A character cut in half takes the line end as its second byte: no line ends there.
    {"LeadByteTakesTheLineEnd", "\x8C\xA2,\x82\xA2\x82\r\n\x94\x4C,\x82\xCB\x82\xB1\r\n"sv, {{u"犬", u"い・猫"}}},
    {"PairThatIsNoCharacterIsOneUnit", "\x85\x40,\x82\xA2\x82,\x82\xCA\n"sv, {{u"・", u"い・ぬ\n"}}},
    {"LeadAndZeroCutTheLine", "\x8C\xA2,\x82\xA2\x82\xCA\x82\0\x94\x4C,\x82\xCB\x82\xB1\r\n"sv,
     {{u"犬", u"いぬ"}, {u"猫", u"ねこ\n"}}},
    {"LeadAndZeroAtALineStartEndTheReading", "\x8C\xA2,\x82\xA2\x82\xCA\r\n\x82\0\x94\x4C,\x82\xCB\x82\xB1\r\n"sv,
     {{u"犬", u"いぬ\n"}}},
};

TEST_F(QuestionReader, LinesGiveTheirCards)
{
    for (const LineCase& c : kLines) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Read(c.bytes), c.cards);
    }
}

TEST_F(QuestionReader, LongLinesAreTakenIn1023UnitPieces)
{
    auto repeat = [](std::string_view piece, int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    auto units = [](char16_t unit, int count) { return std::u16string(count, unit); };
    struct Case {
        const char* name;
        std::string bytes;
        Cards cards;
    } cases[] = {
        {"1022UnitsAndLfAreOneLine", "q," + repeat("a", 1020) + "\n", {{u"q", units(u'a', 1020) + u"\n"}}},
        {"1500UnitsAreTwoLines", "q," + repeat("a", 1021) + "r," + repeat("b", 475) + "\n",
         {{u"q", units(u'a', 1021)}, {u"r", units(u'b', 475) + u"\n"}}},
        {"1023UnitsLeaveTheLfAlone", "q," + repeat("a", 1021) + "\ns,t\n", {{u"q", units(u'a', 1021)}, {u"s", u"t\n"}}},
        {"UnitsAreCountedNotBytes", "\x8C\xA2," + repeat("\x82\xA2", 1021) + "\r\ns,t\r\n",
         {{u"犬", units(u'い', 1021)}, {u"s", u"t\n"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Read(c.bytes), c.cards);
    }
}

TEST_F(QuestionReader, AByteThatIsNoCharacterCutsTheLine)
{
    // The published table defines every single byte; the platform's may leave some out.
    const char16_t kept = g_byteUnit[0xA0];
    g_byteUnit[0xA0] = 0;
    EXPECT_EQ(Read("\x8C\xA2,\x82\xA2\xA0\x82\xCA,x\r\n\x94\x4C,\x82\xCB\x82\xB1\r\n"sv),
              (Cards{{u"犬", u"い"}, {u"ぬ", u"x\n"}, {u"猫", u"ねこ\n"}}));
    EXPECT_EQ(Read("\x8C\xA2,\x82\xA2\r\n\xA0\x94\x4C,\x82\xCB\x82\xB1\r\n"sv), (Cards{{u"犬", u"い\n"}}));
    g_byteUnit[0xA0] = kept;
}

TEST_F(QuestionReader, AppendsToTheDeckAndLeavesItsOrderAlone)
{
    QuestionDeck deck;
    deck.AddItem(u"前", u"まえ");
    deck.randomOrder = true;
    deck.nextIndex = 1;
    const auto bytes = "\x8C\xA2,\x82\xA2\x82\xCA\r\n"sv;
    ReadQuestionBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), deck);
    EXPECT_EQ(deck.items, (Cards{{u"前", u"まえ"}, {u"犬", u"いぬ\n"}}));
    EXPECT_TRUE(deck.randomOrder);
    EXPECT_EQ(deck.nextIndex, 1);
}

} // namespace
