// Question files on systems other than Windows: the path as UTF-8, POSIX reads,
// and the published code page 932 for the Japanese locale.
#include "question_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cp932_table.h"
#include "question_reader.h"

namespace {

// The path as the system takes it, in UTF-8. False for a path longer than any the
// system opens, or with a lone surrogate, which no file name can hold.
bool ToUtf8(const char16_t* text, char (&utf8)[PATH_MAX])
{
    size_t length = 0;
    for (; *text != 0; ++text) {
        char32_t c = *text;
        if (c >= 0xD800 && c <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (*++text - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            return false;
        char bytes[4];
        size_t count;
        if (c < 0x80) {
            bytes[0] = static_cast<char>(c);
            count = 1;
        } else if (c < 0x800) {
            bytes[0] = static_cast<char>(0xC0 | c >> 6);
            bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
            count = 2;
        } else if (c < 0x10000) {
            bytes[0] = static_cast<char>(0xE0 | c >> 12);
            bytes[1] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
            bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
            count = 3;
        } else {
            bytes[0] = static_cast<char>(0xF0 | c >> 18);
            bytes[1] = static_cast<char>(0x80 | (c >> 12 & 0x3F));
            bytes[2] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
            bytes[3] = static_cast<char>(0x80 | (c & 0x3F));
            count = 4;
        }
        if (length + count >= PATH_MAX)
            return false;
        std::memcpy(utf8 + length, bytes, count);
        length += count;
    }
    utf8[length] = 0;
    return true;
}

struct FileReading {
    int descriptor;
    unsigned char buffer[65536];
};

bool FillFromFile(ByteSource& source)
{
    FileReading& file = *static_cast<FileReading*>(source.file);
    ssize_t got;
    do
        got = read(file.descriptor, file.buffer, sizeof file.buffer);
    while (got < 0 && errno == EINTR);
    if (got <= 0)
        return false;
    source.next = file.buffer;
    source.end = file.buffer + got;
    return true;
}

int OpenForReading(const char16_t* path)
{
    char name[PATH_MAX];
    if (path == nullptr || *path == 0 || !ToUtf8(path, name))
        return -1;
    int descriptor = open(name, O_RDONLY | O_CLOEXEC);
    struct stat status;
    if (descriptor >= 0 && (fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode))) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

} // namespace

bool SelectJapaneseLocale()
{
    for (int row = 0; row < kCp932LeadCount; ++row) {
        unsigned char lead = kCp932Lead[row];
        g_leadByte[lead] = true;
        for (int second = 0; second < 256; ++second)
            g_pairUnit[lead][second] = kCp932Pair[row][second];
    }
    for (int byte = 0; byte < 256; ++byte)
        g_byteUnit[byte] = kCp932Single[byte];
    return true;
}

bool ReadQuestionFile(const char16_t* path, QuestionDeck& deck)
{
    FileReading file;
    file.descriptor = OpenForReading(path);
    if (file.descriptor < 0)
        return false;
    ByteSource source;
    source.fill = FillFromFile;
    source.file = &file;
    ReadQuestions(source, deck);
    close(file.descriptor);
    return true;
}
