#include "core/config_check.h"

#include <algorithm>

#include "core/error.h"
#include "core/messages.h"

namespace dorvak {

namespace {

std::string_view fieldName(TextKind kind) {
  return kind == TextKind::Line ? "Line" : kind == TextKind::Destination ? "Destination" : "Stop";
}

// The writer's failure for the data base, or nothing when it can be laid
// out; the questions it asks on the way are collected and answered Yes.
std::optional<std::string> layoutFailure(const PanelDatabase& db, HexWriteOptions save,
                                         std::vector<std::string>* questions) {
  save.confirm = [questions](std::string_view question) {
    if (questions) questions->emplace_back(question);
    return true;
  };
  try {
    buildHexText(db, save);
  } catch (const DorvakError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

}  // namespace

bool hasDestinationAbove999(const TextList& destinations) {
  return std::any_of(destinations.begin(), destinations.end(), [](const std::string& entry) {
    std::string_view key = entryKey(entry);
    return key != kStartingDestinationKey && !key.empty() && key[0] != '0';
  });
}

ConfigurationCheck checkConfiguration(const PanelDatabase& current, const PanelDatabase& proposed,
                                      const HexWriteOptions& save) {
  ConfigurationCheck check;
  const PanelConfig& c = proposed.config;
  if (c.firmware < FirmwareVersion::V1_6 || c.firmware > FirmwareVersion::V2_15)
    check.refusals.emplace_back(msg::FirmwareNotChosen);

  for (TextKind kind : kAllTextKinds) {
    if (!panelTypeShows(c.panelType, kind)) continue;
    const FieldRect& field = c.field(kind);
    if (field.right >= c.length || field.top >= c.height) {
      check.refusals.push_back(formatMessage(msg::FieldOutsidePanel, fieldName(kind)) + " (" +
                               std::to_string(c.height) + " rows, " + std::to_string(c.length) + " columns).");
    } else if (field.left > field.right || field.bottom > field.top) {
      check.refusals.push_back(formatMessage(msg::FieldWithoutDots, fieldName(kind)));
    }
  }

  if (!proposed.destinations.empty()) {
    // Three-digit mode writes the last three characters of each key.
    if (!c.fourDigitDestinations() && hasDestinationAbove999(proposed.destinations))
      check.refusals.emplace_back(msg::DestinationAbove999);
    // The header points at the destination table only through these.
    const bool tableAddressed = c.commands.z || (c.commands.zC && c.firmware != FirmwareVersion::V1_6);
    if (!tableAddressed) check.refusals.emplace_back(msg::DestinationsNotSaved);
  }

  // Saving needs fonts whatever the configuration; without them there is
  // nothing to lay out yet.
  if (check.refusals.empty() && proposed.hasFonts()) {
    std::vector<std::string> questions;
    if (auto failure = layoutFailure(proposed, save, &questions)) {
      if (!layoutFailure(current, save, nullptr))
        check.refusals.push_back(std::string(msg::ConfigurationNotSaveable) + "\n" + *failure);
    } else if (current.config.firmware != c.firmware) {
      // The writer's question about characters firmware 1.6 cannot show.
      check.warnings.insert(check.warnings.end(), questions.begin(), questions.end());
    }
  }
  return check;
}

}  // namespace dorvak
