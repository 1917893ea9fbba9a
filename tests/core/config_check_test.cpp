#include "core/config_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/messages.h"
#include "test_support.h"

namespace dorvak {
namespace {

struct CheckCase {
  const char* name;
  std::function<void(PanelDatabase&)> change;  // the configuration SET would apply
  std::vector<std::string> refusals;
  std::vector<std::string> warnings;
};

class ConfigurationChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ConfigurationChecks, RefuseWhatSavingCouldNotKeep) {
  const PanelDatabase current = test::makeSampleDatabase(FirmwareVersion::V2_15);
  PanelDatabase proposed = current;
  GetParam().change(proposed);
  const ConfigurationCheck check = checkConfiguration(current, proposed);
  EXPECT_EQ(check.refusals, GetParam().refusals);
  EXPECT_EQ(check.warnings, GetParam().warnings);
  EXPECT_EQ(check.accepted(), GetParam().refusals.empty());
}

const std::string kNotSaveable = std::string(msg::ConfigurationNotSaveable) + "\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigurationChecks,
    ::testing::Values(
        CheckCase{"Unchanged", [](PanelDatabase&) {}, {}, {}},
        CheckCase{"NoFirmware", [](PanelDatabase& db) { db.config.firmware = FirmwareVersion::Unset; },
                  {std::string(msg::FirmwareNotChosen)}, {}},
        CheckCase{"NarrowerThanItsFields", [](PanelDatabase& db) { db.config.length = 100; },
                  {"Destination field lies outside the panel (19 rows, 100 columns).",
                   "Stop field lies outside the panel (19 rows, 100 columns)."},
                  {}},
        CheckCase{"LowerThanTheLineField", [](PanelDatabase& db) { db.config.height = 18; },
                  {"Line field lies outside the panel (18 rows, 112 columns).",
                   "Destination field lies outside the panel (18 rows, 112 columns)."},
                  {}},
        CheckCase{"AFieldTheTypeDoesNotShow",
                  [](PanelDatabase& db) {
                    db.config.panelType = PanelType::LineDestination;
                    db.config.stopField = {0, 40, 0, 250};
                  },
                  {}, {}},
        CheckCase{"AFieldWithoutDots", [](PanelDatabase& db) { db.config.lineField.left = 30; },
                  {"Line field has no dots: its left bound lies right of its right bound or its bottom above its top."},
                  {}},
        CheckCase{"FourDigitNumbersInThreeDigitMode",
                  [](PanelDatabase& db) { db.destinations.putEntry("1234", "FAR\r"); },
                  {std::string(msg::DestinationAbove999)}, {}},
        CheckCase{"FourDigitNumbersInFourDigitMode",
                  [](PanelDatabase& db) {
                    db.destinations.putEntry("1234", "FAR\r");
                    db.config.commands.z = 0;
                    db.config.commands.zC = 1;
                  },
                  {}, {}},
        CheckCase{"DestinationsWithoutTheirCommands",
                  [](PanelDatabase& db) {
                    db.config.commands.z = 0;
                    db.config.commands.zI = 1;
                  },
                  {std::string(msg::DestinationsNotSaved)}, {}},
        CheckCase{"NoDestinationsNoCommandNeeded",
                  [](PanelDatabase& db) {
                    db.destinations.deleteAll();
                    db.config.commands.z = 0;
                  },
                  {}, {}},
        CheckCase{"FourDigitCommandOnFirmware16",
                  [](PanelDatabase& db) {
                    db.config.firmware = FirmwareVersion::V1_6;
                    db.config.commands.z = 0;
                    db.config.commands.zC = 1;
                  },
                  {std::string(msg::DestinationsNotSaved)}, {}},
        CheckCase{"Firmware16DropsCode255",
                  [](PanelDatabase& db) {
                    db.config.firmware = FirmwareVersion::V1_6;
                    db.fonts.glyph(2, 255) = test::makeGlyph(3, 7, 9);
                  },
                  {}, {std::string(msg::Code255Question) + "\n" + std::string(msg::Continue)}},
        CheckCase{"StopsBeyondTheFirstBankOnFirmware213",
                  [](PanelDatabase& db) {
                    test::pushStopsIntoSecondBank(db);
                    db.config.firmware = FirmwareVersion::V2_13;
                  },
                  {kNotSaveable + std::string(msg::TableAddressOverflow)}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigurationCheck, ALayoutThatFailsAlreadyIsNotTheConfigurationsFault) {
  PanelDatabase current = test::makeSampleDatabase(FirmwareVersion::V2_13);
  test::pushStopsIntoSecondBank(current);
  PanelDatabase proposed = current;
  proposed.config.options = 0x01;
  EXPECT_TRUE(checkConfiguration(current, proposed).accepted());
  // Switching to firmware 2.15, which places stops in the second bank,
  // mends it.
  proposed.config.firmware = FirmwareVersion::V2_15;
  EXPECT_TRUE(checkConfiguration(current, proposed).accepted());
  EXPECT_TRUE(checkConfiguration(proposed, current).refusals.size() == 1);
}

TEST(ConfigurationCheck, WithoutFontsNothingIsLaidOut) {
  PanelDatabase current = test::makeSampleDatabase(FirmwareVersion::V2_15);
  current.clearFonts(true);
  PanelDatabase proposed = current;
  proposed.config.firmware = FirmwareVersion::V2_13;
  EXPECT_TRUE(checkConfiguration(current, proposed).accepted());
}

TEST(ConfigurationCheck, DestinationNumbersAbove999) {
  TextList list;
  list.putEntry("0999", "A\r");
  list.putEntry("XXXX", "S\r");
  EXPECT_FALSE(hasDestinationAbove999(list));
  list.putEntry("1000", "B\r");
  EXPECT_TRUE(hasDestinationAbove999(list));
}

}  // namespace
}  // namespace dorvak
