#include <algorithm>
#include <fstream>
#include <string>

#include "question_file.h"
#include "question_reader.h"
#include "test_support.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

class QuestionFile : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SelectJapaneseLocale()); }

    ScratchFolder folder;
    const std::string lines = "\x8C\xA2,\x82\xA2\x82\xCA\r\n\x94\x4C,\x82\xCB\x82\xB1\r\n";   // 犬,いぬ 猫,ねこ
    const Cards cards = {{u"犬", u"いぬ\n"}, {u"猫", u"ねこ\n"}};
};

TEST_F(QuestionFile, ReadsEveryCardAndClosesTheFile)
{
    auto path = folder.Write("cards.csv", lines);
    QuestionDeck deck;
    EXPECT_TRUE(ReadQuestionFile(path.u16string().c_str(), deck));
    EXPECT_EQ(deck.items, cards);
    EXPECT_TRUE(NoHandleOpenOn(path));
}

TEST_F(QuestionFile, AnEmptyFileOpensAndGivesNoCard)
{
    auto path = folder.Write("empty.csv", "");
    QuestionDeck deck;
    EXPECT_TRUE(ReadQuestionFile(path.u16string().c_str(), deck));
    EXPECT_TRUE(deck.items.empty());
    EXPECT_TRUE(NoHandleOpenOn(path));
}

TEST_F(QuestionFile, JapaneseFileNamesOpen)
{
    auto path = folder.Write(u"単語 帳😀.csv", lines);
    QuestionDeck deck;
    EXPECT_TRUE(ReadQuestionFile(path.u16string().c_str(), deck));
    EXPECT_EQ(deck.items, cards);
}

TEST_F(QuestionFile, WhatCannotBeOpenedGivesFalseAndLeavesTheDeck)
{
    std::filesystem::create_directory(folder.Path() / "folder.csv");
    const std::u16string missing = (folder.Path() / "missing.csv").u16string();
    const std::u16string directory = (folder.Path() / "folder.csv").u16string();
    struct Case {
        const char* name;
        const char16_t* path;
    } cases[] = {
        {"missing file", missing.c_str()},
        {"folder", directory.c_str()},
        {"empty path", u""},
        {"no path", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QuestionDeck deck;
        deck.AddItem(u"前", u"まえ");
        EXPECT_FALSE(ReadQuestionFile(c.path, deck));
        EXPECT_EQ(deck.items, (Cards{{u"前", u"まえ"}}));
    }
}

// The file is read in blocks; a block may end inside CR LF or inside a character.
TEST_F(QuestionFile, BlockEndsSplitNothing)
{
    std::string bytes;
    auto padTo = [&](size_t size) {
        while (bytes.size() < size) {
            size_t room = std::min<size_t>(size - bytes.size(), 1000);
            bytes += room >= 4 ? "p," + std::string(room - 3, 'p') + "\n" : std::string(room, '\n');
        }
    };
    padTo(65536 - 4);
    bytes += "q,x\r\n";           // CR last in a block, LF first in the next
    padTo(131072 - 3);
    bytes += "s,\x8C\xA2\r\n";    // 犬 across two blocks
    ASSERT_EQ(bytes.substr(65535, 2), "\r\n");
    ASSERT_EQ(bytes.substr(131071, 2), "\x8C\xA2");

    auto path = folder.Write("long.csv", bytes);
    QuestionDeck deck;
    EXPECT_TRUE(ReadQuestionFile(path.u16string().c_str(), deck));
    QuestionDeck whole;
    ReadQuestionBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), whole);
    EXPECT_EQ(deck.items, whole.items);
    EXPECT_EQ(std::count(deck.items.begin(), deck.items.end(), QuestionItem{u"q", u"x\n"}), 1);
    EXPECT_EQ(std::count(deck.items.begin(), deck.items.end(), QuestionItem{u"s", u"犬\n"}), 1);
}

TEST_F(QuestionFile, OpensAFileThatAnotherHoldsForReadingAndWriting)
{
    auto path = folder.Write("shared.csv", lines);
    std::fstream other(path, std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(other.is_open());
    QuestionDeck deck;
    EXPECT_TRUE(ReadQuestionFile(path.u16string().c_str(), deck));
    EXPECT_EQ(deck.items, cards);
}

#ifdef _WIN32
TEST_F(QuestionFile, SharingDecidesWhetherAFileHeldByAnotherOpens)
{
    auto path = folder.Write("held.csv", lines);
    struct Case {
        const char* name;
        DWORD access;
        DWORD sharing;
        bool opens;
    } cases[] = {
        {"writing, sharing reading", GENERIC_WRITE, FILE_SHARE_READ, true},
        {"reading, sharing nothing", GENERIC_READ, 0, false},
        {"writing, sharing writing only", GENERIC_WRITE, FILE_SHARE_WRITE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HANDLE other = CreateFileW(path.c_str(), c.access, c.sharing, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        QuestionDeck deck;
        EXPECT_EQ(ReadQuestionFile(path.u16string().c_str(), deck), c.opens);
        EXPECT_EQ(deck.items, c.opens ? cards : Cards{});
        CloseHandle(other);
    }
}
#endif

} // namespace
