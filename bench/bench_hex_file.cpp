// Opening and saving a panel data base that fills both banks.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>

#include "core/hex_reader.h"
#include "core/hex_writer.h"
#include "core/image_header.h"
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
