// Cost of the option store against the floor of touching the same bytes: for files of 40, 10,000
// and 1,000,000 lines, one load, 1,000 lookups, one update and one save, measured side by side
// with a plain read plus write of the same bytes in the same iteration. The store's save is atomic
// and durable (temporary file, fsync, rename, folder fsync), so the fair floor takes the same
// steps ("x_floor_fsync"); "x_floor" is the ratio to a plain read and write in place without
// fsync, which mostly lands in the page cache.
// Run: option_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "option_store.h"
#include "utf8_file.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    std::filesystem::path folder;
    std::filesystem::path file;
    std::vector<std::pair<std::string, std::string>> keys;
};

// A web.ini-like file: sections of 20 lines with comments, blank lines, Chinese values.
Sample MakeSample(std::size_t lines) {
    Sample sample;
    sample.folder =
        std::filesystem::temp_directory_path() / ("corvel-option-bench-" + std::to_string(lines));
    std::filesystem::create_directories(sample.folder);
    sample.file = sample.folder / "web.ini";
    std::string text, section;
    for (std::size_t i = 0; i < lines; ++i) {
        if (i % 20 == 0) {
            section = "section" + std::to_string(i / 20);
            text += "[" + section + "]";
        } else if (i % 20 == 1) {
            text += "; 说明 " + std::to_string(i);
        } else if (i % 20 == 19) {
            // blank line
        } else {
            const std::string key = "keyName" + std::to_string(i % 20);
            text += "  " + key + "=value " + std::to_string(i) + " 中文设置";
            sample.keys.emplace_back(section, key);
        }
        if (i + 1 < lines) text += "\r\n";
    }
    WriteUtf8File(sample.file, text);
    return sample;
}

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// The floor: read the file into memory and write the same bytes to another file in its folder.
// Synced, it takes the same steps as the store's atomic save: a temporary file, fsync, rename
// over the target and an fsync of the folder, so that the ratio shows the store's own cost.
void PlainReadAndWrite(const Sample& sample, bool sync) {
    std::ifstream in(sample.file, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::filesystem::path copy = sample.folder / (sync ? "floor-fsync.ini" : "floor.ini");
    const std::filesystem::path written = sync ? sample.folder / ".floor-fsync.ini.tmp" : copy;
    const int fd = ::open(written.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
    if (sync) ::fsync(fd);
    ::close(fd);
    if (!sync) return;
    ::rename(written.c_str(), copy.c_str());
    const int folder = ::open(sample.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(folder);
    ::close(folder);
}

void BM_LoadLookUpAndSave(benchmark::State& state) {
    const Sample sample = MakeSample(static_cast<std::size_t>(state.range(0)));
    double storeTime = 0, floorTime = 0, syncedFloorTime = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        PlainReadAndWrite(sample, false);
        floorTime += Seconds(start);

        start = Clock::now();
        PlainReadAndWrite(sample, true);
        syncedFloorTime += Seconds(start);

        start = Clock::now();
        Class_Option store(sample.file);
        std::size_t found = 0;
        for (std::size_t i = 0; i < 1000; ++i) {
            const auto& [section, key] = sample.keys[(i * 7919) % sample.keys.size()];
            found += store.GetOption(section, key).size();
        }
        benchmark::DoNotOptimize(found);
        store.SetOption(sample.keys.back().first, sample.keys.back().second, "changed");
        store.writeOptionFile();
        const double elapsed = Seconds(start);
        storeTime += elapsed;
        state.SetIterationTime(elapsed);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["x_floor_fsync"] = storeTime / syncedFloorTime;
    state.counters["x_floor"] = storeTime / floorTime;
    state.counters["floor_fsync_ms"] = 1e3 * syncedFloorTime / iterations;
    state.counters["floor_ms"] = 1e3 * floorTime / iterations;
    std::filesystem::remove_all(sample.folder);
}

BENCHMARK(BM_LoadLookUpAndSave)
    ->Arg(40)
    ->Arg(10000)
    ->Arg(1000000)
    ->UseManualTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
