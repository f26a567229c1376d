#include "profile/profile_store.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using tarvelo::ProfileBatch;
using tarvelo::ProfileStore;

// The 65 characters of the default layout, each with its key, "p" and "c"
// entries: the 195 reads of the layout loader.
std::vector<std::string> LayoutKeys()
{
    const std::string chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz;',.?!()- \"/:1";
    std::vector<std::string> keys;
    for (char c : chars) {
        const std::string code = std::to_string(static_cast<unsigned char>(c));
        keys.push_back(code);
        keys.push_back(code + "p");
        keys.push_back(code + "c");
    }
    return keys;
}

// A settings file as a busy installation has it: eight users with every key,
// the whole layout and a full high-score table.
class FullSettings
{
public:
    FullSettings()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarvelo-bench-XXXXXX").string();
        m_folder = std::string(::mkdtemp(pattern.data())) + "/";
        ProfileStore store(m_folder);
        ProfileBatch batch(store);
        store.WriteProfile("users", "lastuser", "3");
        for (int u = 0; u < 8; ++u) {
            const std::string section = "user" + std::to_string(u);
            store.WriteProfile("users", section, "Typist number " + std::to_string(u));
            for (const char* key :
                 {"sessionnumber", "typemode", "sentencenumber", "lesson", "completeqseconds",
                  "completeposition", "completeerrors", "backspacel", "backspacef", "intelligent",
                  "beeponerror", "playedgame", "gamelevel", "gamesound", "gamesplayed",
                  "intelligence", "accuracy", "lettercase"})
                store.WriteProfile(section, key, "12345.5");
            store.WriteProfile(section, "letterstream",
                               "0102030405060708091011121314151617181922232425262728");
        }
        for (const std::string& key : LayoutKeys())
            store.WriteProfile("language", key, key.back() == 'p' ? "True" : "17");
        store.WriteProfile("scores", "numscores", "10");
        for (int n = 1; n <= 10; ++n) {
            const std::string base = "score" + std::to_string(n);
            for (const char* suffix : {"", "u", "d", "s", "l", "i", "a", "n"})
                store.WriteProfile("scores", base + suffix, "4711");
        }
        if (!batch.Commit())
            throw std::runtime_error("cannot write the settings file");
    }
    ~FullSettings() { std::filesystem::remove_all(m_folder); }

    const std::string& Folder() const { return m_folder; }

private:
    std::string m_folder;
};

void BM_ReadProfile(benchmark::State& state)
{
    FullSettings settings;
    const ProfileStore store(settings.Folder());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.ReadProfile("user7", "letterstream", ""));
}
BENCHMARK(BM_ReadProfile)->Unit(benchmark::kMicrosecond);

void BM_LayoutLoad195Reads(benchmark::State& state)
{
    FullSettings settings;
    const ProfileStore store(settings.Folder());
    const std::vector<std::string> keys = LayoutKeys();
    for (auto _ : state) {
        for (const std::string& key : keys)
            benchmark::DoNotOptimize(store.ReadProfile("language", key, "999"));
    }
}
BENCHMARK(BM_LayoutLoad195Reads)->Unit(benchmark::kMillisecond);

void BM_WriteProfile(benchmark::State& state)
{
    FullSettings settings;
    ProfileStore store(settings.Folder());
    int n = 0;
    for (auto _ : state)
        store.WriteProfile("user3", "sentencenumber", std::to_string(++n));
}
BENCHMARK(BM_WriteProfile)->Unit(benchmark::kMillisecond);

void BM_Batch90Writes(benchmark::State& state)
{
    FullSettings settings;
    ProfileStore store(settings.Folder());
    int n = 0;
    for (auto _ : state) {
        ProfileBatch batch(store);
        for (int i = 0; i < 90; ++i)
            store.WriteProfile("scores", "score" + std::to_string(i % 10 + 1), std::to_string(++n));
        benchmark::DoNotOptimize(batch.Commit());
    }
}
BENCHMARK(BM_Batch90Writes)->Unit(benchmark::kMillisecond);

} // namespace
