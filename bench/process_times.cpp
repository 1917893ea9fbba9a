// Runs two commands by turns as whole processes and compares the CPU time
// (user + system, from wait4) and the wall time of each run. Taking turns
// lets both see the same load on a shared machine; medians and the spread of
// the per-pair ratios keep a busy moment from deciding the result.
//
// Usage: dorvak-process-times RUNS LABEL_A LABEL_B -- COMMAND_A... -- COMMAND_B...
// Standard output of the commands goes to /dev/null. Prints the medians of
// both, then B's time over A's time.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
  double cpuMs;
  double wallMs;
};

// One run of the command; exits the helper when the command fails.
Sample runOnce(const std::vector<char*>& command, posix_spawn_file_actions_t& actions) {
  auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (int error = posix_spawnp(&pid, command[0], &actions, nullptr, command.data(), environ); error != 0) {
    std::fprintf(stderr, "%s: %s\n", command[0], std::strerror(error));
    std::exit(1);
  }
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) {
    std::perror("wait4");
    std::exit(1);
  }
  auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed (status %d)\n", command[0], status);
    std::exit(1);
  }
  auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
  return {ms(usage.ru_utime) + ms(usage.ru_stime), std::chrono::duration<double, std::milli>(end - start).count()};
}

// The value below which the given share of the values lies.
double quantile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
  return values[index];
}

struct Figures {
  double median, low, high;  // 50th, 10th and 90th percentile
};

Figures figures(const std::vector<double>& values) {
  return {quantile(values, 0.5), quantile(values, 0.1), quantile(values, 0.9)};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 7 || std::strcmp(argv[4], "--") != 0) {
    std::fprintf(stderr, "usage: %s RUNS LABEL_A LABEL_B -- COMMAND_A... -- COMMAND_B...\n", argv[0]);
    return 2;
  }
  int runs = std::atoi(argv[1]);
  if (runs < 1) runs = 1;
  std::vector<char*> commands[2];
  int which = 0;
  for (int i = 5; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0 && which == 0) {
      which = 1;
      continue;
    }
    commands[which].push_back(argv[i]);
  }
  if (commands[0].empty() || commands[1].empty()) {
    std::fprintf(stderr, "both commands are needed\n");
    return 2;
  }
  for (auto& command : commands) command.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

  // One run of each first: the page cache and the loader's caches warm up.
  runOnce(commands[0], actions);
  runOnce(commands[1], actions);
  std::vector<double> cpu[2], wall[2], cpuRatio, wallRatio;
  for (int r = 0; r < runs; ++r) {
    Sample a = runOnce(commands[0], actions);
    Sample b = runOnce(commands[1], actions);
    cpu[0].push_back(a.cpuMs);
    wall[0].push_back(a.wallMs);
    cpu[1].push_back(b.cpuMs);
    wall[1].push_back(b.wallMs);
    cpuRatio.push_back(b.cpuMs / std::max(a.cpuMs, 1e-3));
    wallRatio.push_back(b.wallMs / std::max(a.wallMs, 1e-3));
  }
  posix_spawn_file_actions_destroy(&actions);

  std::printf("%d runs each, taking turns; median (10th-90th percentile) in ms\n", runs);
  std::printf("%-34s %-24s %s\n", "", "CPU (user + system)", "wall");
  for (int i = 0; i < 2; ++i) {
    Figures c = figures(cpu[i]), w = figures(wall[i]);
    char cpuText[64], wallText[64];
    std::snprintf(cpuText, sizeof cpuText, "%.2f (%.2f-%.2f)", c.median, c.low, c.high);
    std::snprintf(wallText, sizeof wallText, "%.2f (%.2f-%.2f)", w.median, w.low, w.high);
    std::printf("%-34s %-24s %s\n", argv[2 + i], cpuText, wallText);
  }
  Figures c = figures(cpuRatio), w = figures(wallRatio);
  std::printf("CPU time ratio  (%s / %s): %.2f (pairs: %.2f-%.2f)\n", argv[3], argv[2],
              figures(cpu[1]).median / figures(cpu[0]).median, c.low, c.high);
  std::printf("wall time ratio (%s / %s): %.2f (pairs: %.2f-%.2f)\n", argv[3], argv[2],
              figures(wall[1]).median / figures(wall[0]).median, w.low, w.high);
  return 0;
}
