// Lines, destinations and stops from files of every layout, with questions
// answered from the input.

#include <cstdint>
#include <string_view>

#include "core/error.h"
#include "fuzz_support.h"
#include "text/text_export.h"
#include "text/text_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  if (size < 1) return 0;
  static const char* const names[] = {"f.lin", "f.cil", "f.ci4", "f.dru", "f.txt", "f.cl", "f.zs", "f.txt"};
  const std::uint8_t choice = data[0];
  const TextKind kind = static_cast<TextKind>(choice % 3);
  const std::string name = names[(choice >> 2) & 7];
  const TextSource source = ((choice >> 2) & 7) < 4 ? TextSource::Packed : TextSource::Text;
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  PanelDatabase db = fuzz::sampleDatabase();
  if (choice & 0x20) db.config.commands.zC = 1;
  TextImportOptions options;
  options.add = (choice & 0x40) != 0;
  std::size_t asked = 0;
  options.askDuplicate = [&](const std::string&) {
    return static_cast<PromptAnswer>(1 + (data[asked++ % size] % 5));
  };
  options.askContinue = [&](const std::string&) { return (data[asked++ % size] & 1) != 0; };
  importTextBytes(db, kind, bytes, name, source, options);
  for (auto layout : {TextFileLayout::Packed, TextFileLayout::Tab, TextFileLayout::Ekvivalent, TextFileLayout::StopLines}) {
    try {
      formatTextFile(db, kind, layout, {});
    } catch (const DorvakError&) {
    }
  }
  return 0;
}
