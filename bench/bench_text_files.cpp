// Reading text files must take time proportional to the input, whatever the
// order of the numbers and however many duplicates there are.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>

#include "core/safe_file.h"
#include "full_database.h"
#include "text/text_import.h"

namespace dorvak::bench {
namespace {

std::string tempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("dorvak-bench-" + std::to_string(::getpid()) + name)).string();
}

// n stops in a shuffled order, as a *.zs file.
std::string zsFile(int n) {
  std::vector<int> numbers(static_cast<std::size_t>(n));
  std::iota(numbers.begin(), numbers.end(), 0);
  std::shuffle(numbers.begin(), numbers.end(), std::mt19937(42));
  std::string text;
  for (int number : numbers)
    text += std::to_string(number) + "\tSTOP " + std::to_string(number) + "\tSTOP " + std::to_string(number) +
            "\tSTREET\r\n";
  return text;
}

void BM_ReadStopsFromZs(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::string path = tempPath("-stops.zs");
  writeFileSafely(path, zsFile(n));
  PanelDatabase db = makeFullDatabase();
  for (auto _ : state) {
    TextImportResult result = importTextFile(db, TextKind::Stop, path, TextSource::Text);
    benchmark::DoNotOptimize(result.added.size());
  }
  state.SetComplexityN(n);
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadStopsFromZs)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_AddDuplicateDestinationsOverwritingAll(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::string text;
  for (int d = n - 1; d >= 0; --d) text += std::to_string(d) + "\tDESTINATION\t" + std::to_string(d) + "\r\n";
  std::string path = tempPath("-destinations.txt");
  writeFileSafely(path, text);
  PanelDatabase db = makeFullDatabase();
  db.config.commands.zC = 1;
  TextImportOptions options;
  options.add = true;
  options.askDuplicate = [](const std::string&) { return PromptAnswer::OverwriteAll; };
  importTextFile(db, TextKind::Destination, path, TextSource::Text);  // every number is there already
  for (auto _ : state) {
    TextImportResult result = importTextFile(db, TextKind::Destination, path, TextSource::Text, options);
    benchmark::DoNotOptimize(result.replaced.size());
  }
  state.SetComplexityN(n);
  std::filesystem::remove(path);
}
BENCHMARK(BM_AddDuplicateDestinationsOverwritingAll)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace dorvak::bench
