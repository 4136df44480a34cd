// Allocations of the deck and the reader, counted, and made to fail on purpose,
// through this program's own operator new.

#include <cstdlib>
#include <new>
#include <string>

#include "question_file.h"
#include "test_support.h"

namespace {

long g_allocations;     // counted while g_counting
bool g_counting;
long g_failAt = -1;     // the allocation, counted from 0, that fails

} // namespace

void* operator new(std::size_t size)
{
    if (g_counting && g_allocations++ == g_failAt)
        throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

// Counts the allocations of what runs in its lifetime; the one numbered failAt fails.
struct Counting {
    explicit Counting(long failAt = -1)
    {
        g_allocations = 0;
        g_failAt = failAt;
        g_counting = true;
    }
    ~Counting() { g_counting = false; }
    long Count() const { return g_allocations; }
};

// Long enough that no string keeps it in place without allocating.
std::u16string Text(char16_t first, int card) { return std::u16string(40, first) + std::u16string(card + 1, u'.'); }

TEST(Allocation, AddItemThatRunsOutOfMemoryLeavesTheDeckAsItWas)
{
    for (int full : {0, 1}) {
        for (long failAt = 0;; ++failAt) {
            SCOPED_TRACE(testing::Message() << (full ? "full deck" : "deck with room") << ", allocation " << failAt);
            QuestionDeck deck;
            int count = full ? 1000 : 10;
            for (int card = 0; card < count; ++card)
                deck.AddItem(Text(u'q', card).c_str(), Text(u'a', card).c_str());
            const Cards before = deck.items;
            const size_t room = deck.items.capacity();
            bool added = true;
            {
                Counting counting(failAt);
                try {
                    deck.AddItem(Text(u'Q', 0).c_str(), Text(u'A', 0).c_str());
                } catch (const std::bad_alloc&) {
                    added = false;
                }
            }
            if (added) {
                EXPECT_EQ(deck.items.size(), before.size() + 1);
                break;
            }
            EXPECT_EQ(deck.items, before);
            EXPECT_EQ(deck.items.capacity(), room);
        }
    }
}

TEST(Allocation, ReadingThatRunsOutOfMemoryKeepsTheCardsReadAndClosesTheFile)
{
    ASSERT_TRUE(SelectJapaneseLocale());
    ScratchFolder folder;
    std::string lines;
    Cards all;
    for (int card = 0; card < 1200; ++card) {
        // Long enough texts that each takes an allocation.
        const std::string number = std::to_string(card);
        lines += std::string(20, 'q') + number + ",\x82\xA2\x82\xCA" + std::string(20, 'a') + "\r\n";
        all.push_back({std::u16string(20, u'q') + std::u16string(number.begin(), number.end()),
                       u"いぬ" + std::u16string(20, u'a') + u"\n"});
    }
    auto path = folder.Write("cards.csv", lines);
    const std::u16string pathText = path.u16string();

    // Each card takes two allocations, and the 1001st card a third to grow the room:
    // fail the first ones, some in between, each of the 1001st card's and the last.
    for (long failAt : {0L, 1L, 2L, 3L, 1001L, 1999L, 2000L, 2001L, 2002L, 2400L}) {
        SCOPED_TRACE(failAt);
        QuestionDeck deck;
        bool opened;
        {
            Counting counting(failAt);
            opened = ReadQuestionFile(pathText.c_str(), deck);
        }
        EXPECT_TRUE(opened);
        EXPECT_EQ(deck.items, Cards(all.begin(), all.begin() + deck.items.size()));
        EXPECT_LT(deck.items.size(), all.size());
        EXPECT_TRUE(NoHandleOpenOn(path));
    }
}

TEST(Allocation, DrawingAllocatesNothing)
{
    QuestionDeck deck;
    deck.AddItem(std::u16string(300, u'問').c_str(), std::u16string(300, u'答').c_str());
    deck.AddItem(u"short", u"text");
    for (bool random : {false, true}) {
        deck.randomOrder = random;
        Counting counting;
        for (int draw = 0; draw < 10; ++draw)
            deck.DrawNext();
        EXPECT_EQ(counting.Count(), 0);
    }
}

TEST(Allocation, ReadingAFileAllocatesOnlyTheCardsTexts)
{
    ASSERT_TRUE(SelectJapaneseLocale());
    ScratchFolder folder;
    std::string lines;
    for (int card = 0; card < 900; ++card)
        lines += std::string(30, 'q') + "," + std::string(30, 'a') + "\n";
    const std::u16string path = folder.Write("cards.csv", lines).u16string();
    QuestionDeck deck;
    Counting counting;
    ASSERT_TRUE(ReadQuestionFile(path.c_str(), deck));
    EXPECT_EQ(counting.Count(), 2 * 900);
}

} // namespace
