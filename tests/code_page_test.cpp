#include <string>
#include <string_view>

#include "cp932_table.h"
#include "question_file.h"
#include "question_reader.h"
#include "test_support.h"

using namespace std::literals;

namespace {

class CodePage : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SelectJapaneseLocale()); }
};

TEST_F(CodePage, LeadBytesAre81To9FAndE0ToFC)
{
    for (int byte = 0; byte < 256; ++byte) {
        bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        EXPECT_EQ(g_leadByte[byte], lead) << std::hex << byte;
    }
}

// Characters where code page 932 differs from plain Shift_JIS or where decoders
// are known to disagree, read as the answer of a card.
TEST_F(CodePage, CharactersReadAsTheWindowsTableHasThem)
{
    struct Case {
        std::string_view bytes;
        char16_t unit;
    } cases[] = {
        {"\x5C"sv, u'\\'},          // the ASCII half is ASCII
        {"\x7E"sv, u'~'},
        {"\x80"sv, u'\u0080'},
        {"\xA1"sv, u'｡'},
        {"\xDF"sv, u'ﾟ'},
        {"\x81\x5F"sv, u'＼'},
        {"\x81\x60"sv, u'～'},
        {"\x81\x7C"sv, u'－'},
        {"\x81\x91"sv, u'￠'},
        {"\x87\x40"sv, u'①'},       // NEC row 13
        {"\xED\x40"sv, u'纊'},       // NEC-selected IBM extensions
        {"\xFA\x40"sv, u'ⅰ'},       // IBM extensions
        {"\xFC\x4B"sv, u'黑'},       // the last character
        {"\xF0\x40"sv, u'\uE000'},  // user-defined area
        {"\xF9\xFC"sv, u'\uE757'},
    };
    for (const Case& c : cases) {
        std::string line = "x," + std::string(c.bytes);
        QuestionDeck deck;
        ReadQuestionBytes(reinterpret_cast<const unsigned char*>(line.data()), line.size(), deck);
        EXPECT_EQ(deck.items, (Cards{{u"x", std::u16string(1, c.unit)}})) << testing::PrintToString(c.bytes);
    }
}

#ifdef _WIN32
// The platform's converter fills the reader's tables on Windows. It must agree
// with the published table on every pair; of the single bytes, Wine rejects the
// four that the published table maps to U+F8F0-U+F8F3.
TEST_F(CodePage, PlatformAgreesWithThePublishedTable)
{
    int pairs = 0;
    for (int row = 0; row < kCp932LeadCount; ++row) {
        for (int second = 0; second < 256; ++second) {
            unsigned char lead = kCp932Lead[row];
            EXPECT_EQ(g_pairUnit[lead][second], kCp932Pair[row][second]) << std::hex << +lead << " " << second;
            ++pairs;
        }
    }
    EXPECT_EQ(pairs, 15360);
    for (int byte = 1; byte < 256; ++byte) {
        if (g_leadByte[byte])
            continue;
        bool mayBeRejected = byte == 0xA0 || byte >= 0xFD;
        if (!(mayBeRejected && g_byteUnit[byte] == 0)) {
            EXPECT_EQ(g_byteUnit[byte], kCp932Single[byte]) << std::hex << byte;
        }
    }
}
#endif

} // namespace
