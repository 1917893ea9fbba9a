// Opening and saving a panel data base that fills both banks.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>

#include "core/hex_reader.h"
#include "core/hex_writer.h"
#include "core/image_header.h"
#include "core/intel_hex.h"
#include "core/safe_file.h"
#include "full_database.h"

namespace dorvak::bench {
namespace {

const PanelDatabase& fullDatabase() {
  static const PanelDatabase db = makeFullDatabase();
  return db;
}

const std::string& fullText() {
  static const std::string text = *buildHexText(fullDatabase());
  return text;
}

std::string tempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("dorvak-bench-") + std::to_string(::getpid()) + name)).string();
}

void BM_OpenFromMemory(benchmark::State& state) {
  PanelDatabase db;
  for (auto _ : state) {
    db.clearTexts();
    db.clearFonts(true);
    auto read = readHexText(db, fullText(), "full.hex", TableSelector::All, false);
    decodeHeader(read.header, read.headerKind, read.tagPosition, builtinKt500Table(), db);
    benchmark::DoNotOptimize(db.stops.count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fullText().size()));
}
BENCHMARK(BM_OpenFromMemory)->Unit(benchmark::kMillisecond);

// The HEX text to the memory image alone: line checks, digits, checksums.
void BM_ParseHexText(benchmark::State& state) {
  for (auto _ : state) {
    HexImage image = readHexImage(fullText());
    benchmark::DoNotOptimize(image.bytes());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fullText().size()));
}
BENCHMARK(BM_ParseHexText)->Unit(benchmark::kMicrosecond);

// The memory image to HEX text alone: records, digits, checksums.
void BM_FormatHexText(benchmark::State& state) {
  const HexImage image = readHexImage(fullText());
  std::string text;
  for (auto _ : state) {
    text.clear();
    HexRecordWriter writer(text);
    for (const HexImage::Run& run : image.runs())
      writer.write(run.begin, std::span<const std::uint8_t>(image.bytes() + run.begin, run.end - run.begin));
    writer.writeEnd();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FormatHexText)->Unit(benchmark::kMicrosecond);

void BM_OpenFile(benchmark::State& state) {
  std::string path = tempPath("-open.hex");
  writeFileSafely(path, fullText());
  PanelDatabase db;
  for (auto _ : state) {
    openHexFile(db, path);
    benchmark::DoNotOptimize(db.stops.count());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_OpenFile)->Unit(benchmark::kMillisecond);

void BM_BuildHexText(benchmark::State& state) {
  for (auto _ : state) {
    auto text = buildHexText(fullDatabase());
    benchmark::DoNotOptimize(text->size());
  }
}
BENCHMARK(BM_BuildHexText)->Unit(benchmark::kMillisecond);

// Save as the program does it: temporary file, fsync, rename.
void BM_SaveFile(benchmark::State& state) {
  std::string path = tempPath("-save.hex");
  for (auto _ : state) writeHexFile(fullDatabase(), path);
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

// What each step of a durable save of the text costs, one step more for
// each argument: 0 writes an unnamed file beside the target and lets it go,
// 1 fsyncs it first, 2 links it in under a name of its own and renames it
// over the target (writeFileSafely's steps, in its order).
void BM_SaveSteps(benchmark::State& state) {
  const std::string path = tempPath("-steps.hex");
  const std::string folder = std::filesystem::path(path).parent_path().string();
  writeFileSafely(path, fullText());
  for (auto _ : state) {
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
      state.SkipWithError("no unnamed files here");
      break;
    }
    if (::write(fd, fullText().data(), fullText().size()) != static_cast<ssize_t>(fullText().size()))
      state.SkipWithError("write failed");
    if (state.range(0) >= 1) ::fsync(fd);
    if (state.range(0) >= 2) {
      const std::string name = path + ".new";
      const std::string self = "/proc/self/fd/" + std::to_string(fd);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0 ||
          ::rename(name.c_str(), path.c_str()) != 0)
        state.SkipWithError("link or rename failed");
    }
    ::close(fd);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveSteps)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dorvak::bench

// "--write-full-database PATH" writes the benchmark's data base for the
// convert comparison script; anything else runs the benchmarks.
int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-full-database") == 0) {
    dorvak::writeHexFile(dorvak::bench::fullDatabase(), argv[2]);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
