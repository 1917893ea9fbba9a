#include "core/messages.h"

namespace dorvak {

std::string formatMessage(std::string_view text, std::string_view value) {
  std::string out;
  out.reserve(text.size() + value.size());
  bool dollarDone = false;
  bool barDone = false;
  if (text.find('$') == std::string_view::npos) out.append(value);
  for (char c : text) {
    if (c == '$' && !dollarDone) {
      out.append(value);
      dollarDone = true;
    } else if (c == '|' && !barDone) {
      out += '\n';
      barDone = true;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace dorvak
