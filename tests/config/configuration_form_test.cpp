#include "config/configuration_form.h"

#include <gtest/gtest.h>

#include "core/hex_reader.h"
#include "core/hex_writer.h"
#include "core/image_header.h"
#include "core/messages.h"
#include "test_support.h"

namespace dorvak {
namespace {

using K = TextKind;

// Typed bounds of a field: left, right, bottom, top.
std::array<int, 4> typed(const ConfigurationForm& form, TextKind kind) {
  return {form.typedBound(kind, Bound::Left), form.typedBound(kind, Bound::Right), form.typedBound(kind, Bound::Bottom),
          form.typedBound(kind, Bound::Top)};
}

ConfigurationForm formOf(std::uint8_t firmware, std::uint8_t panelType) {
  ConfigurationForm form;
  PanelConfig c;
  c.firmware = firmware;
  form.load(c, false);
  form.chooseType(panelType);
  return form;
}

bool on(const ConfigurationForm& form, Command command) { return commandFlag(form.working().commands, command) != 0; }

TEST(PositionAndType, AFrontPanelFromScratch) {
  ConfigurationForm form;
  form.choosePosition(PanelPosition::Front);
  const PanelConfig& c = form.working();
  EXPECT_EQ(c.height, 19);
  EXPECT_EQ(c.length, 140);
  EXPECT_EQ(c.panelType, PanelType::LineDestination);
  EXPECT_EQ(typed(form, K::Line), (std::array<int, 4>{1, 28, 1, 19}));
  EXPECT_EQ(typed(form, K::Destination), (std::array<int, 4>{29, 140, 1, 19}));
  // Stored bounds are one less than shown.
  EXPECT_EQ(c.lineField, (FieldRect{0, 18, 0, 27}));
  EXPECT_TRUE(on(form, Command::l) && on(form, Command::z));
  EXPECT_FALSE(on(form, Command::lA) || on(form, Command::zC));
  EXPECT_TRUE(form.aGrey() && on(form, Command::aV));

  // With four-digit numbers chosen the commands are lA and zC.
  form.chooseLineDigits(true);
  ASSERT_FALSE(form.chooseDestinationDigits(true));
  form.choosePosition(PanelPosition::Front);
  EXPECT_TRUE(on(form, Command::lA) && on(form, Command::zC));
  EXPECT_FALSE(on(form, Command::l) || on(form, Command::z));
}

TEST(PositionAndType, ARearPanelShowsALineAndOffersThreeTypes) {
  ConfigurationForm form;
  form.choosePosition(PanelPosition::Rear);
  EXPECT_EQ(form.working().length, 28);
  EXPECT_EQ(form.working().panelType, PanelType::Line);
  EXPECT_EQ(form.offeredTypes(), 3);
  EXPECT_EQ(typed(form, K::Line), (std::array<int, 4>{1, 28, 1, 19}));
  EXPECT_FALSE(on(form, Command::z));
  EXPECT_FALSE(form.commandEnabled(Command::z));
  EXPECT_FALSE(form.fieldEnabled(K::Destination));
}

TEST(PositionAndType, EachTypeSetsItsFieldsCommandsAndEnables) {
  struct Row {
    std::uint8_t type;
    std::array<bool, 3> fields;  // line, destination, stop enabled
    std::vector<Command> checked, enabled, disabled;
  };
  const Row rows[] = {
      {PanelType::Line, {true, false, false}, {Command::l}, {Command::l, Command::lA, Command::aL, Command::aSL},
       {Command::z, Command::zD}},
      {PanelType::Destination, {false, true, false}, {Command::z}, {Command::z, Command::zC, Command::aSC}, {Command::l}},
      {PanelType::DestinationStop, {false, true, true}, {Command::z, Command::zD, Command::zN},
       {Command::zD, Command::zN, Command::aSD}, {Command::l, Command::lA}},
      {PanelType::LineDestinationStop, {true, true, true}, {Command::l, Command::z, Command::zD},
       {Command::l, Command::zN, Command::aSD}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    ConfigurationForm form = formOf(FirmwareVersion::V2_15, row.type);
    EXPECT_EQ(form.working().panelType, row.type);
    for (TextKind kind : kAllTextKinds) EXPECT_EQ(form.fieldEnabled(kind), row.fields[static_cast<std::size_t>(kind)]);
    for (Command c : row.checked) EXPECT_TRUE(on(form, c)) << static_cast<int>(c);
    for (Command c : row.enabled) EXPECT_TRUE(form.commandEnabled(c)) << static_cast<int>(c);
    for (Command c : row.disabled) EXPECT_FALSE(form.commandEnabled(c)) << static_cast<int>(c);
    EXPECT_FALSE(on(form, Command::aSC) || on(form, Command::aA) || on(form, Command::zA));
  }
  // Destination and stops share the panel: stops below, within it.
  ConfigurationForm form = formOf(FirmwareVersion::V2_15, PanelType::DestinationStop);
  EXPECT_EQ(typed(form, K::Stop), (std::array<int, 4>{1, 112, 1, 9}));
}

TEST(Firmware, Firmware16LimitsTypesAndCommands) {
  ConfigurationForm form = formOf(FirmwareVersion::V2_15, PanelType::DestinationStop);
  form.chooseFirmware(FirmwareVersion::V1_6);
  EXPECT_EQ(form.working().panelType, PanelType::Destination);
  EXPECT_EQ(form.offeredTypes(), 3);
  form = formOf(FirmwareVersion::V2_15, PanelType::LineDestinationStop);
  form.chooseLineDigits(true);
  form.chooseFirmware(FirmwareVersion::V1_6);
  EXPECT_EQ(form.working().panelType, PanelType::LineDestination);
  for (Command c : {Command::lA, Command::zC, Command::zD, Command::zN, Command::aL, Command::aSL, Command::aSZ,
                    Command::aSC, Command::aSD}) {
    EXPECT_FALSE(form.commandEnabled(c)) << static_cast<int>(c);
    EXPECT_FALSE(on(form, c)) << static_cast<int>(c);
  }
  EXPECT_TRUE(on(form, Command::l) && on(form, Command::z));
  EXPECT_FALSE(form.lineDigitsEnabled() || form.destinationDigitsEnabled());
  EXPECT_FALSE(form.fourDigitLines() || form.fourDigitDestinations());

  form.chooseFirmware(FirmwareVersion::V2_13);
  EXPECT_EQ(form.offeredTypes(), 5);
  EXPECT_TRUE(form.commandEnabled(Command::lA) && form.commandEnabled(Command::aSL));
  EXPECT_TRUE(form.lineDigitsEnabled() && form.destinationDigitsEnabled());
}

TEST(Firmware, Firmware215EnablesZN) {
  ConfigurationForm form = formOf(FirmwareVersion::V2_13, PanelType::DestinationStop);
  EXPECT_FALSE(form.commandEnabled(Command::zN));
  EXPECT_FALSE(on(form, Command::zN));
  form.chooseFirmware(FirmwareVersion::V2_15);
  EXPECT_TRUE(form.commandEnabled(Command::zN));
  EXPECT_TRUE(on(form, Command::zN));
  form.chooseFirmware(FirmwareVersion::V2_13);
  EXPECT_FALSE(form.commandEnabled(Command::zN));
  EXPECT_FALSE(on(form, Command::zN));
}

TEST(SizeChanges, TheFieldsFollowALeftHeightOrLength) {
  ConfigurationForm form = formOf(FirmwareVersion::V2_15, PanelType::LineDestination);
  ASSERT_FALSE(form.typeLength("20", Trigger::Leave));
  EXPECT_EQ(typed(form, K::Line), (std::array<int, 4>{1, 10, 1, 19}));
  EXPECT_EQ(typed(form, K::Destination), (std::array<int, 4>{11, 20, 1, 19}));
  ASSERT_FALSE(form.typeLength("60", Trigger::Leave));
  EXPECT_EQ(typed(form, K::Line), (std::array<int, 4>{1, 28, 1, 19}));
  EXPECT_EQ(typed(form, K::Destination), (std::array<int, 4>{29, 60, 1, 19}));

  form = formOf(FirmwareVersion::V2_15, PanelType::DestinationStop);
  // Enter remembers the height; leaving the field re-derives the fields.
  ASSERT_FALSE(form.typeHeight("16", Trigger::Enter));
  EXPECT_EQ(form.working().height, 16);
  EXPECT_EQ(form.typedBound(K::Destination, Bound::Top), 19);
  ASSERT_FALSE(form.typeHeight("16", Trigger::Leave));
  EXPECT_EQ(form.typedBound(K::Destination, Bound::Bottom), 8);
  EXPECT_EQ(form.typedBound(K::Destination, Bound::Top), 16);
  EXPECT_EQ(form.typedBound(K::Stop, Bound::Bottom), 1);
  EXPECT_EQ(form.typedBound(K::Stop, Bound::Top), 7);

  // Leaving the field unchanged keeps bounds the user typed.
  ASSERT_FALSE(form.typeBound(K::Stop, Bound::Left, "5"));
  ASSERT_FALSE(form.typeHeight("16", Trigger::Leave));
  EXPECT_EQ(form.typedBound(K::Stop, Bound::Left), 5);
}

TEST(ValueChecks, RefusedValuesChangeNothing) {
  struct Row {
    const char* what;
    std::function<std::optional<std::string>(ConfigurationForm&)> type;
    std::string message;
  };
  const std::string invalid = std::string(msg::InvalidValue);
  const Row rows[] = {
      {"width 0", [](ConfigurationForm& f) { return f.typeLength("0", Trigger::Enter); }, invalid + " <1,224>"},
      {"width 225", [](ConfigurationForm& f) { return f.typeLength("225", Trigger::Leave); }, invalid + " <1,224>"},
      {"width empty", [](ConfigurationForm& f) { return f.typeLength("", Trigger::Leave); }, std::string(msg::ValueNotSet)},
      {"height 29", [](ConfigurationForm& f) { return f.typeHeight("29", Trigger::Enter); }, invalid + " <1,28>"},
      {"right past the panel", [](ConfigurationForm& f) { return f.typeBound(K::Line, Bound::Right, "113"); },
       invalid + " <1,112>"},
      {"top past the panel", [](ConfigurationForm& f) { return f.typeBound(K::Line, Bound::Top, "20"); },
       invalid + " <1,19>"},
      {"bottom 0", [](ConfigurationForm& f) { return f.typeBound(K::Stop, Bound::Bottom, "0"); }, invalid + " <1,19>"},
      {"font 16", [](ConfigurationForm& f) { return f.typeStyle(K::Line, StyleValue::Font, "16"); }, invalid + " <0,15>"},
      {"shift 99", [](ConfigurationForm& f) { return f.typeStyle(K::Stop, StyleValue::Shift, "99"); },
       invalid + " <0,15>"},
      {"delay 0", [](ConfigurationForm& f) { return f.typeStyle(K::Destination, StyleValue::Delay, "0"); },
       invalid + " <1,255>"},
      {"not a number", [](ConfigurationForm& f) { return f.typeLength("1x", Trigger::Enter); }, invalid + " <1,224>"},
      {"too many digits", [](ConfigurationForm& f) { return f.typeLength("99999999999999", Trigger::Enter); },
       invalid + " <1,224>"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ConfigurationForm form = formOf(FirmwareVersion::V2_15, PanelType::LineDestinationStop);
    const PanelConfig before = form.working();
    EXPECT_EQ(row.type(form).value_or("accepted"), row.message);
    EXPECT_EQ(form.working(), before);
  }
  ConfigurationForm form = formOf(FirmwareVersion::V2_15, PanelType::Line);
  EXPECT_FALSE(form.typeStyle(K::Line, StyleValue::Delay, "255"));
  EXPECT_EQ(form.working().lineStyle.delay, 255);
  EXPECT_FALSE(form.typeStyle(K::Line, StyleValue::Font, "0"));
  // The M switch allows a 29th row.
  form.setServiceM(true);
  EXPECT_FALSE(form.typeHeight("29", Trigger::Leave));
  EXPECT_FALSE(form.typeBound(K::Line, Bound::Top, "29"));
  EXPECT_EQ(form.working().lineField.top, 28);
}

TEST(Commands, LineCommandsExcludeEachOtherAndChooseTheFormatStrings) {
  ConfigurationForm form = formOf(FirmwareVersion::V2_15, PanelType::LineDestination);
  EXPECT_FALSE(form.formatStringsEnabled());
  form.setCommand(Command::aL, true);
  EXPECT_TRUE(on(form, Command::aL));
  EXPECT_FALSE(on(form, Command::l) || on(form, Command::lA));
  EXPECT_TRUE(form.fourDigitLines());
  EXPECT_TRUE(form.formatStringsEnabled());
  form.chooseLineDigits(false);
  EXPECT_TRUE(on(form, Command::l));
  EXPECT_FALSE(on(form, Command::aL) || on(form, Command::lA));
  EXPECT_FALSE(form.formatStringsEnabled());
  form.setCommand(Command::lA, true);
  EXPECT_FALSE(on(form, Command::l));
  EXPECT_TRUE(form.fourDigitLines());
}

TEST(Commands, ThreeDigitDestinationsAreRefusedWhileNumbersAbove999Exist) {
  ConfigurationForm form;
  PanelConfig c;
  c.commands.z = 0;
  c.commands.zC = 1;
  form.load(c, true);
  EXPECT_TRUE(form.fourDigitDestinations());
  EXPECT_EQ(form.setCommand(Command::z, true).value_or(""), msg::DestinationAbove999);
  EXPECT_FALSE(on(form, Command::z));
  EXPECT_TRUE(on(form, Command::zC));
  EXPECT_EQ(form.chooseDestinationDigits(false).value_or(""), msg::DestinationAbove999);
  EXPECT_TRUE(form.fourDigitDestinations());

  form.load(c, false);
  EXPECT_FALSE(form.setCommand(Command::z, true));
  EXPECT_FALSE(on(form, Command::zC));
  EXPECT_FALSE(form.fourDigitDestinations());
}

TEST(Commands, ClicksOnZZcAndZdSelectTheTypeTheyName) {
  ConfigurationForm form = formOf(FirmwareVersion::V2_15, PanelType::LineDestinationStop);
  form.setCommand(Command::zD, false);
  EXPECT_EQ(form.working().panelType, PanelType::LineDestination);
  form.setCommand(Command::z, false);
  EXPECT_EQ(form.working().panelType, PanelType::Line);
  // The rules of the type last chosen stay: z can be checked again.
  EXPECT_TRUE(form.commandEnabled(Command::z));
  form.setCommand(Command::zC, true);
  EXPECT_EQ(form.working().panelType, PanelType::LineDestination);
  form.setCommand(Command::l, false);
  form.setCommand(Command::zD, true);
  EXPECT_EQ(form.working().panelType, PanelType::DestinationStop);
  // zD alone names all three types, as an Open reads it; without any of
  // the commands the type stays.
  form.setCommand(Command::zC, false);
  EXPECT_EQ(form.working().panelType, PanelType::LineDestinationStop);
  form.setCommand(Command::zD, false);
  EXPECT_EQ(form.working().panelType, PanelType::LineDestinationStop);
}

TEST(Commands, TheABoxStaysCheckedAndGrey) {
  ConfigurationForm form;
  PanelConfig c;
  c.commands.a = 0;
  form.load(c, false);
  EXPECT_FALSE(form.aGrey());
  EXPECT_EQ(form.result().commands.a, 0);
  form.setCommand(Command::a, false);
  EXPECT_TRUE(form.aGrey());
  EXPECT_EQ(form.result().commands.a, 1);
}

TEST(Options, BitZeroIsAlwaysSet) {
  ConfigurationForm form;
  PanelConfig c;
  c.options = 0xFF;
  form.load(c, false);
  for (std::uint8_t bit : {0x08, 0x10, 0x20, 0x40, 0x80}) form.setOption(bit, false);
  EXPECT_EQ(form.result().options, 0x01);
  for (std::uint8_t bit : {0x08, 0x10, 0x20, 0x40, 0x80}) form.setOption(bit, true);
  EXPECT_EQ(form.result().options, 0xF9);
}

// The choosers a SET turns on are those an Open of the saved file turns on:
// both come from choosersFor.
TEST(ChooserAgreement, SetAndOpenAgreeForEveryConfigurationTheWindowMakes) {
  int checked = 0;
  for (std::uint8_t firmware : {FirmwareVersion::V1_6, FirmwareVersion::V2_13, FirmwareVersion::V2_15})
    for (std::uint8_t position : {PanelPosition::Front, PanelPosition::Side, PanelPosition::Rear})
      for (int digits = 0; digits < 4; ++digits) {
        ConfigurationForm form;
        PanelConfig start;
        start.firmware = firmware;
        form.load(start, false);
        form.choosePosition(position);
        for (std::uint8_t type = 0; type < form.offeredTypes(); ++type) {
          form.chooseType(type);
          if (form.lineDigitsEnabled()) form.chooseLineDigits(digits & 1);
          if (form.destinationDigitsEnabled()) (void)form.chooseDestinationDigits(digits & 2);
          PanelDatabase db = test::makeSampleDatabase(firmware);
          db.config = form.result();
          if (db.config.commands.zC) db.destinations.putEntry("1234", "FAR\r");
          const ChooserState set = choosersFor(db.config.panelType, db.config.commands);

          HexWriteOptions yes;
          yes.confirm = [](std::string_view) { return true; };
          PanelDatabase opened;
          opened.clearFonts(true);
          const HexReadResult read =
              readHexText(opened, buildHexText(db, yes).value(), "panel.hex", TableSelector::All, false);
          const HeaderDecoding decoded =
              decodeHeader(read.header, read.headerKind, read.tagPosition, builtinKt500Table(), opened);
          SCOPED_TRACE(::testing::Message() << "firmware " << int(firmware) << " position " << int(position)
                                            << " type " << int(type) << " digits " << digits);
          EXPECT_EQ(opened.config.panelType, db.config.panelType);
          EXPECT_EQ(decoded.choosers, set);
          if (db.config.commands.z || db.config.commands.zC) {
            EXPECT_EQ(opened.destinations, db.destinations);
          }
          ++checked;
        }
      }
  EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace dorvak
