// Question files on Windows: the platform opens and reads the file, and its own
// converter for the Japanese locale's code page fills the reader's tables.
#include "question_file.h"

#include <windows.h>

#include <cstdlib>

#include "question_reader.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the deck's texts are the platform's UTF-16");

namespace {

LCID g_japanese;

// "JPN" is a three-letter language abbreviation; the first installed locale
// that carries it, in any case, is Japanese (Japan).
BOOL CALLBACK FindJapanese(LPSTR name)
{
    LCID locale = std::strtoul(name, nullptr, 16);
    char abbreviation[16];
    if (GetLocaleInfoA(locale, LOCALE_SABBREVLANGNAME, abbreviation, sizeof abbreviation) != 0
        && lstrcmpiA(abbreviation, "JPN") == 0) {
        g_japanese = locale;
        return FALSE;
    }
    return TRUE;
}

// The unit of one character of the code page, or 0 when the bytes are no character.
char16_t Convert(UINT codePage, const char* bytes, int count)
{
    wchar_t unit;
    if (MultiByteToWideChar(codePage, MB_PRECOMPOSED | MB_ERR_INVALID_CHARS, bytes, count, &unit, 1) != 1)
        return 0;
    return static_cast<char16_t>(unit);
}

struct FileReading {
    HANDLE handle;
    unsigned char buffer[65536];
};

bool FillFromFile(ByteSource& source)
{
    FileReading& file = *static_cast<FileReading*>(source.file);
    DWORD got = 0;
    if (!ReadFile(file.handle, file.buffer, sizeof file.buffer, &got, nullptr) || got == 0)
        return false;
    source.next = file.buffer;
    source.end = file.buffer + got;
    return true;
}

} // namespace

bool SelectJapaneseLocale()
{
    g_japanese = 0;
    EnumSystemLocalesA(FindJapanese, LCID_INSTALLED);
    char number[8];
    if (g_japanese == 0
        || GetLocaleInfoA(g_japanese, LOCALE_IDEFAULTANSICODEPAGE, number, sizeof number) == 0)
        return false;
    UINT codePage = std::strtoul(number, nullptr, 10);
    CPINFO info;
    if (!IsValidCodePage(codePage) || !IsValidLocale(g_japanese, LCID_INSTALLED)
        || !GetCPInfo(codePage, &info) || info.MaxCharSize != 2)
        return false;

    // One conversion per character of the code page, once, so that reading a file
    // costs a table look-up per character instead of a platform call.
    for (int range = 0; range < MAX_LEADBYTES && info.LeadByte[range] != 0; range += 2)
        for (int lead = info.LeadByte[range]; lead <= info.LeadByte[range + 1]; ++lead)
            g_leadByte[lead] = true;
    for (int byte = 0; byte < 256; ++byte) {
        char bytes[2] = {static_cast<char>(byte), 0};
        if (!g_leadByte[byte]) {
            g_byteUnit[byte] = Convert(codePage, bytes, 1);
            continue;
        }
        g_byteUnit[byte] = 0;
        g_pairUnit[byte][0] = 0;    // a lead byte and 0x00 fail to decode, whatever the platform says
        for (int second = 1; second < 256; ++second) {
            bytes[1] = static_cast<char>(second);
            g_pairUnit[byte][second] = Convert(codePage, bytes, 2);
        }
    }
    return true;
}

bool ReadQuestionFile(const char16_t* path, QuestionDeck& deck)
{
    if (path == nullptr || *path == 0)
        return false;
    FileReading file;
    file.handle = CreateFileW(reinterpret_cast<const wchar_t*>(path), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file.handle == INVALID_HANDLE_VALUE)
        return false;
    ByteSource source;
    source.fill = FillFromFile;
    source.file = &file;
    ReadQuestions(source, deck);
    CloseHandle(file.handle);
    return true;
}
