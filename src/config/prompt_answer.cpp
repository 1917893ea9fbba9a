#include "config/prompt_answer.h"

namespace dorvak {

std::pair<std::string, std::string> promptLines(std::string_view text) {
  auto cr = text.find_first_of("\r\n");
  if (cr == std::string_view::npos) return {std::string(text), std::string()};
  return {std::string(text.substr(0, cr)), std::string(text.substr(cr + 1))};
}

bool DuplicateResolver::overwrite(const std::string& question) {
  if (forAll_) return *forAll_;
  if (!ask_) return true;
  switch (ask_(question)) {
    case PromptAnswer::Overwrite: return true;
    case PromptAnswer::Skip: return false;
    case PromptAnswer::OverwriteAll: return *(forAll_ = true);
    case PromptAnswer::SkipAll: return *(forAll_ = false);
    case PromptAnswer::Storno: break;
  }
  cancelled_ = true;
  return false;
}

}  // namespace dorvak
