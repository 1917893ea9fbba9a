#pragma once
// The answers of the five-button question asked when an item read from a file
// already exists, and what a reader does with them.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace dorvak {

enum class PromptAnswer : std::uint8_t {
  Overwrite = 1,
  Skip = 2,
  Storno = 3,  // also the answer when the question is closed
  OverwriteAll = 4,
  SkipAll = 5,
};

// Asks the question; the text's first line break separates its two lines.
using AskPrompt = std::function<PromptAnswer(const std::string& question)>;

// The two lines the question shows: split at the first line break (CR, or
// the LF that formatMessage makes of "|").
std::pair<std::string, std::string> promptLines(std::string_view text);

// One read's memory of the answers: after "Overwrite all" or "Skip all" no
// more questions are asked; "Storno" cancels the read.
class DuplicateResolver {
 public:
  explicit DuplicateResolver(AskPrompt ask) : ask_(std::move(ask)) {}

  // For an item that already exists: true to overwrite it, false to keep
  // it. Without a question function every duplicate is overwritten.
  bool overwrite(const std::string& question);
  bool cancelled() const { return cancelled_; }

 private:
  AskPrompt ask_;
  std::optional<bool> forAll_;
  bool cancelled_ = false;
};

}  // namespace dorvak
