// On-board unit files (BBD/BBF): texts and ekvivalents read from them, and a
// BBF written again from what was read, with questions answered from the
// input.

#include <cstdint>
#include <string_view>

#include "core/error.h"
#include "fuzz_support.h"
#include "interchange/ekvivalents.h"
#include "interchange/unit_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dorvak;
  if (size < 1) return 0;
  // Bit 0: BBF; bit 1: stops; bit 2: KT700; bit 3: Add; bit 4: four-digit destinations.
  const std::uint8_t choice = data[0];
  const std::string name = (choice & 1) ? "unit.bbf" : "unit.bbd";
  const TextKind kind = (choice & 2) ? TextKind::Stop : TextKind::Destination;
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  PanelDatabase db = fuzz::sampleDatabase();
  if (choice & 0x10) db.config.commands.zC = 1;
  ProgramOptions mode;
  mode.ekvivalentMode = (choice & 4) ? EkvivalentMode::Kt700 : EkvivalentMode::Kt500;
  TextImportOptions options;
  options.add = (choice & 8) != 0;
  options.programOptions = mode;
  std::size_t asked = 0;
  options.askDuplicate = [&](const std::string&) { return static_cast<PromptAnswer>(1 + (data[asked++ % size] % 5)); };
  options.askContinue = [&](const std::string&) { return (data[asked++ % size] & 1) != 0; };
  try {
    readUnitTextBytes(db, kind, bytes, name, options);
  } catch (const DorvakError&) {
  }
  try {
    readEkvivalentBytes(db, bytes, name, {mode, {}, {}});
  } catch (const DorvakError&) {
  }
  for (bool alphabetical : {true, false}) {
    try {
      formatEkvivalentFile(db, unitFileKind(name), bytes, alphabetical, {mode, {}});
    } catch (const DorvakError&) {
    }
  }
  return 0;
}
