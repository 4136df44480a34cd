#include "question_reader.h"

#include <new>

namespace {

constexpr std::array<char16_t, 256> SingleByteUnits()
{
    std::array<char16_t, 256> units{};
    for (int b = 0; b < 256; ++b)
        units[b] = static_cast<char16_t>(b);
    return units;
}

} // namespace

constinit std::array<bool, 256> g_leadByte{};
constinit std::array<char16_t, 256> g_byteUnit = SingleByteUnits();
constinit std::array<std::array<char16_t, 256>, 256> g_pairUnit{};

namespace {

constexpr int kEnd = -1;        // the file's end, a 0x1A or a read error
constexpr int kFailure = -2;    // bytes that are no character

constexpr int kLineUnits = 1023;

// Every later read meets the end of the data.
void EndData(ByteSource& source)
{
    source.fill = nullptr;
    source.next = source.end;
}

bool Refill(ByteSource& source)
{
    if (source.fill && source.fill(source) && source.next != source.end)
        return true;
    EndData(source);
    return false;
}

// The next data byte where the window is used up or the byte is 0x1A or CR: the
// data ends at the first 0x1A, and CR LF reads as a lone LF.
int NextByteSlowly(ByteSource& source)
{
    if (source.next == source.end && !Refill(source))
        return kEnd;
    unsigned char byte = *source.next++;
    if (byte == 0x1A) {
        EndData(source);
        return kEnd;
    }
    if (byte == '\r' && (source.next != source.end || Refill(source)) && *source.next == '\n') {
        ++source.next;
        return '\n';
    }
    return byte;
}

// The next data byte; most take the first test alone, which keeps reading fast.
inline int NextByte(ByteSource& source)
{
    if (source.next != source.end && *source.next != 0x1A && *source.next != '\r')
        return *source.next++;
    return NextByteSlowly(source);
}

// The next character's unit, kEnd or kFailure. A lead byte always takes the next
// byte with it, so a comma or LF in the second place belongs to the character.
int NextUnit(ByteSource& source)
{
    int byte = NextByte(source);
    if (byte < 0)
        return kEnd;
    if (g_leadByte[byte]) {
        int second = NextByte(source);
        if (second < 0)
            return kEnd;
        if (char16_t unit = g_pairUnit[byte][second])
            return unit;
        return second == 0 ? kFailure : kNoCharacterUnit;
    }
    if (char16_t unit = g_byteUnit[byte]; unit != 0 || byte == 0)
        return unit;
    return kFailure;
}

// Reads up to and including a LF, at most 1023 units, into line with a zero after
// them. False when the data ends or fails to decode before the first unit.
bool ReadLine(ByteSource& source, char16_t (&line)[kLineUnits + 1])
{
    int length = 0;
    while (length < kLineUnits) {
        int unit = NextUnit(source);
        if (unit < 0)
            break;
        line[length++] = static_cast<char16_t>(unit);
        if (unit == '\n')
            break;
    }
    line[length] = 0;
    return length > 0;
}

// The next run of units between commas from the cursor on, ended with a zero in
// place of its comma; null when the text, which ends at its first zero, has no more.
char16_t* NextField(char16_t*& cursor)
{
    while (*cursor == u',')
        ++cursor;
    if (*cursor == 0)
        return nullptr;
    char16_t* field = cursor;
    while (*cursor != 0 && *cursor != u',')
        ++cursor;
    if (*cursor != 0)
        *cursor++ = 0;
    return field;
}

// The first two fields of the line become a card; a line with fewer gives none.
void AddLine(char16_t* line, QuestionDeck& deck)
{
    char16_t* question = NextField(line);
    char16_t* answer = question ? NextField(line) : nullptr;
    if (answer)
        deck.AddItem(question, answer);
}

} // namespace

void ReadQuestions(ByteSource& source, QuestionDeck& deck)
{
    char16_t line[kLineUnits + 1];
    try {
        while (ReadLine(source, line))
            AddLine(line, deck);
    } catch (const std::bad_alloc&) {
        // Out of memory: the deck keeps the cards added so far and the caller closes the file.
    }
}

void ReadQuestionBytes(const unsigned char* data, size_t size, QuestionDeck& deck)
{
    ByteSource source;
    source.next = data;
    source.end = data + size;
    ReadQuestions(source, deck);
}
