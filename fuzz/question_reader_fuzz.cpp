// Any bytes make a question file: the reader must take them without a fault, give
// the same cards whatever blocks the bytes arrive in, and only cards that obey the
// format. The first byte of an input sets the block width (0: all at once).

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "question_file.h"
#include "question_reader.h"
#include "read_in_windows.h"

using namespace std::literals;

namespace {

bool IsField(const std::u16string& text)
{
    return !text.empty() && text.find_first_of(u",\0"sv) == std::u16string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool japanese = SelectJapaneseLocale();
    if (!japanese || size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    QuestionDeck whole;
    ReadQuestionBytes(data + 1, size - 1, whole);
    QuestionDeck windowed;
    ReadInWindows(bytes, data[0], windowed);
    if (whole.items != windowed.items)
        std::abort();

    for (const QuestionItem& card : whole.items) {
        // Question, comma and answer fit one line of 1023 units.
        if (!IsField(card.question) || !IsField(card.answer) || card.question.size() + card.answer.size() > 1022)
            std::abort();
    }
    for (bool random : {false, true}) {
        whole.randomOrder = random;
        for (size_t draw = 0; draw <= whole.items.size() && draw < 64; ++draw) {
            whole.DrawNext();
            if (std::u16string_view(whole.questionText).size() > 255 || std::u16string_view(whole.answerText).size() > 255)
                std::abort();
        }
    }
    return 0;
}
