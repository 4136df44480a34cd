// How fast question files are read and cards drawn. glibc's iconv and memcpy over
// the same bytes are measured beside the reader as anchors: compare ratios taken
// in one run, not figures from different runs.

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iconv.h>
#include <random>
#include <string>
#include <vector>

#include "cp932_table.h"
#include "question_file.h"
#include "question_reader.h"

namespace {

constexpr size_t kFileBytes = 8 << 20;

// A question file of Japanese cards: questions of 4-15 characters, answers of
// 4-30, mostly double-byte with some ASCII, CR LF line ends.
const std::string& QuestionBytes()
{
    static const std::string bytes = [] {
        std::mt19937 random(932);
        std::vector<std::string> characters;
        for (int row = 0; row < kCp932LeadCount; ++row)
            for (int second = 0x40; second < 0xFD; ++second)
                if (kCp932Pair[row][second] != 0 && kCp932Lead[row] < 0xF0)
                    characters.push_back({static_cast<char>(kCp932Lead[row]), static_cast<char>(second)});
        for (char c = 'a'; c <= 'z'; ++c)
            characters.push_back(std::string(1, c));
        auto field = [&](int shortest, int longest) {
            std::string text;
            for (int n = std::uniform_int_distribution<int>(shortest, longest)(random); n > 0; --n)
                text += characters[random() % characters.size()];
            return text;
        };
        std::string out;
        while (out.size() < kFileBytes)
            out += field(4, 15) + "," + field(4, 30) + "\r\n";
        return out;
    }();
    return bytes;
}

const unsigned char* Data() { return reinterpret_cast<const unsigned char*>(QuestionBytes().data()); }

void BM_ReadQuestionBytes(benchmark::State& state)
{
    SelectJapaneseLocale();
    QuestionDeck deck;
    for (auto _ : state) {
        deck.Clear();
        ReadQuestionBytes(Data(), QuestionBytes().size(), deck);
        benchmark::DoNotOptimize(deck.items.data());
    }
    state.SetBytesProcessed(state.iterations() * QuestionBytes().size());
    state.counters["cards"] = static_cast<double>(deck.items.size());
}
BENCHMARK(BM_ReadQuestionBytes)->Unit(benchmark::kMillisecond);

void BM_ReadQuestionFile(benchmark::State& state)
{
    SelectJapaneseLocale();
    auto path = std::filesystem::temp_directory_path() / "tarrowin-bench.csv";
    std::ofstream(path, std::ios::binary) << QuestionBytes();
    QuestionDeck deck;
    for (auto _ : state) {
        deck.Clear();
        if (!ReadQuestionFile(path.u16string().c_str(), deck))
            state.SkipWithError("cannot open the question file");
    }
    state.SetBytesProcessed(state.iterations() * QuestionBytes().size());
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadQuestionFile)->Unit(benchmark::kMillisecond);

void BM_IconvAnchor(benchmark::State& state)
{
    iconv_t converter = iconv_open("UTF-16LE", "CP932");
    std::vector<char> out(QuestionBytes().size() * 2);
    for (auto _ : state) {
        char* in = const_cast<char*>(QuestionBytes().data());
        size_t inLeft = QuestionBytes().size();
        char* to = out.data();
        size_t outLeft = out.size();
        iconv(converter, &in, &inLeft, &to, &outLeft);
        benchmark::DoNotOptimize(to);
    }
    iconv_close(converter);
    state.SetBytesProcessed(state.iterations() * QuestionBytes().size());
}
BENCHMARK(BM_IconvAnchor)->Unit(benchmark::kMillisecond);

void BM_MemcpyAnchor(benchmark::State& state)
{
    std::vector<char> out(QuestionBytes().size());
    for (auto _ : state) {
        std::memcpy(out.data(), QuestionBytes().data(), out.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * QuestionBytes().size());
}
BENCHMARK(BM_MemcpyAnchor)->Unit(benchmark::kMillisecond);

void BM_DrawNext(benchmark::State& state)
{
    SelectJapaneseLocale();
    QuestionDeck deck;
    ReadQuestionBytes(Data(), QuestionBytes().size(), deck);
    deck.randomOrder = state.range(0) != 0;
    for (auto _ : state) {
        deck.DrawNext();
        benchmark::DoNotOptimize(deck.questionText);
    }
}
BENCHMARK(BM_DrawNext)->ArgName("random")->Arg(0)->Arg(1);

// A drill start: the cards of a file that fits the room already reserved.
void BM_ReloadThousandCards(benchmark::State& state)
{
    SelectJapaneseLocale();
    QuestionDeck source;
    ReadQuestionBytes(Data(), QuestionBytes().size(), source);
    QuestionDeck deck;
    for (auto _ : state) {
        deck.Clear();
        for (int card = 0; card < 1000; ++card)
            deck.AddItem(source.items[card].question.c_str(), source.items[card].answer.c_str());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ReloadThousandCards);

} // namespace

BENCHMARK_MAIN();
