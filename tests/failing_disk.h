#pragma once
// A save run in a child process whose files may grow only to a given size, as
// a full disk would stop it part way.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include "core/error.h"
#include "test_support.h"

namespace dorvak::test {

constexpr int kReportedError = 42;

// Runs the save in a child limited to `limit` bytes per file; returns the
// child's exit status (kReportedError when the save threw DorvakError with a
// message naming the file).
inline int saveWithFileSizeLimit(const std::function<void()>& save, const std::string& path, rlim_t limit) {
  pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
    rlimit small{limit, limit};
    setrlimit(RLIMIT_FSIZE, &small);
    try {
      save();
    } catch (const DorvakError& e) {
      std::string message = e.what();
      _exit(message.find(path) != std::string::npos && message.find("cannot be written") != std::string::npos
                ? kReportedError
                : 1);
    } catch (...) {
      _exit(2);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Puts an old file NAME into DIR, runs `save` on it with a limit of 16 bytes,
// and expects the error reported, the old file byte for byte and no
// temporary file beside it.
inline void expectFailedSaveKeepsOldFile(const std::string& dir, const std::string& name,
                                         const std::function<void(const std::string&)>& save) {
  const std::string path = (std::filesystem::path(dir) / name).string();
  const std::string previous(3000, 'p');
  writeFile(path, previous);
  EXPECT_EQ(saveWithFileSizeLimit([&] { save(path); }, path, 16), kReportedError) << name;
  EXPECT_EQ(readFile(path), previous) << name;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    EXPECT_TRUE(entry.path().filename() != ".dorvak" && entry.path().filename().string().rfind(".dorvak-", 0) != 0 &&
                entry.path().filename().string().rfind(name + ".", 0) != 0)
        << "temporary file left: " << entry.path();
}

}  // namespace dorvak::test
