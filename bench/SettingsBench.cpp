// Load all and a forced save all of a full settings tree: every key of
// every table present in the per-user settings file (about 36 KB, 1,850
// values in 40 sections), read, then all written back with the atomic file
// replacement (temporary file, fsync, rename).
// The second benchmark does the same work in memory (export and import of
// a settings image) to separate the file system's share.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "settings/Settings.h"

namespace {

using namespace orvex::settings;

struct BenchFolder {
    std::string path;
    BenchFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orvex-settings-bench-XXXXXX").string();
        path = ::mkdtemp(tmpl.data()) ? tmpl : std::string();
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

SettingsEnvironment benchEnvironment(const std::string& folder) {
    SettingsEnvironment env;
    env.settingsFile = folder.empty() ? std::string() : folder + "/Pelmar/Orvex/settings.ini";
    env.dataFolder = folder.empty() ? std::string() : folder + "/data";
    env.tempFolder = "/tmp";
    env.homeFolder = "/home/user";
    env.screen = {1920, 1080};
    return env;
}

// Values away from the defaults in every group, so that nothing is short.
void fill(Settings& s) {
    for (int m = 0; m < kModeCount; ++m) {
        s.editor.mode(m).extSel = "*.c;*.cpp;*.h;*.hpp";
        s.editor.mode(m).usrCmnt = "//";
    }
    for (int i = 0; i < 30; ++i) s.editor.history.findStr[static_cast<size_t>(i)] = "search string " + std::to_string(i);
    for (int i = 0; i < kBatchPairCount; ++i) s.editor.batch.find[static_cast<size_t>(i)] = "pair " + std::to_string(i);
    for (int i = 32; i < kKeywordSlots; ++i) s.editor.keywords.setWord(i, "keyword" + std::to_string(i));
    for (auto& p : s.programs) p.command = "/usr/bin/program --option";
    s.tables.keys.count = 42;
    s.tables.keys.changed = true;
}

void BM_LoadAllAndForcedSaveAll(benchmark::State& state) {
    BenchFolder folder;
    const SettingsEnvironment env = benchEnvironment(folder.path);
    {
        Settings s(env);
        s.loadAll(false);
        fill(s);
        s.saveAll(true, true);
    }
    Settings s(env);
    size_t bytes = 0;
    for (auto _ : state) {
        s.loadAll(false);
        if (!s.saveAll(true, true)) state.SkipWithError("save failed");
        bytes = std::filesystem::file_size(env.settingsFile);
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

void BM_LoadAllAndForcedSaveAllInMemory(benchmark::State& state) {
    const SettingsEnvironment env = benchEnvironment({});
    Settings source(env);
    fill(source);
    const ProfileFile image = source.exportImage();
    Settings s(env);
    for (auto _ : state) {
        s.loadAllFromImage(image, false);
        ProfileFile out = s.exportImage();
        benchmark::DoNotOptimize(out);
    }
    state.counters["file_bytes"] = static_cast<double>(image.serialize().size());
}

}  // namespace

BENCHMARK(BM_LoadAllAndForcedSaveAll)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadAllAndForcedSaveAllInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
