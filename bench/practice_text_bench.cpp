#include "material/practice_text.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sstream>

namespace {

// 350 paragraph lines made from the shipped text, repeated as needed.
std::string PracticeFile()
{
    std::ifstream in(std::string(TARVELO_DATA_DIR) + "/Tarvelo Text1.txt", std::ios::binary);
    std::stringstream whole;
    whole << in.rdbuf();
    const auto lines = tarvelo::ReadPracticeLines(whole.str());
    std::string file = "header\r\n";
    for (std::size_t i = 0; i < tarvelo::PracticeText::kMaxLines && !lines.empty(); ++i)
        file += lines[i % lines.size()] + "\r\n";
    return file;
}

void BM_SplitPracticeText350Lines(benchmark::State& state)
{
    const std::string file = PracticeFile();
    tarvelo::PracticeText text;
    for (auto _ : state) {
        text.LoadFromBytes(file);
        benchmark::DoNotOptimize(text.PracticeSentences().data());
    }
    state.counters["sentences"] = static_cast<double>(text.PracticeSentences().size());
}
BENCHMARK(BM_SplitPracticeText350Lines)->Unit(benchmark::kMillisecond);

} // namespace
