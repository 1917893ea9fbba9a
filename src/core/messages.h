#pragma once
// The messages that the core reports, word for word as the user sees them,
// and formatMessage, which fills a message's "$" and "|".

#include <string>
#include <string_view>

namespace dorvak {

namespace msg {
inline constexpr std::string_view AccessDenied = "File $: Access denied!";
inline constexpr std::string_view ReadBeyondEnd = "Read beyond end of file";
inline constexpr std::string_view FileFormatError = "File format error";
inline constexpr std::string_view CheckSumError = "Check sum error";
inline constexpr std::string_view BadVersion = "Bad version of panel database";
inline constexpr std::string_view ErrorInFile = "Error in file $";
inline constexpr std::string_view ErrorInLineDatabase = "Error in line database";
inline constexpr std::string_view ErrorInDirectionDatabase = "Error in direction database";
inline constexpr std::string_view ErrorInStopDatabase = "Error in stop database";
inline constexpr std::string_view ErrorInFormatStrings = "Error in format strings";
inline constexpr std::string_view ReadOnlyToNumber = "Read only to number";
inline constexpr std::string_view ErrorInFontDatabase = "Error in font database";
inline constexpr std::string_view ReadOnlyToGlyph = "Read only to glyph $";
inline constexpr std::string_view CodeTableSizeError = "Code table size error";
inline constexpr std::string_view PanelMemoryOverflow = "Panel memory overflow";
inline constexpr std::string_view TableAddressOverflow = "Table address overflow";
inline constexpr std::string_view FontsTableEmpty = "Fonts table is empty";
inline constexpr std::string_view Code255Question = "FW 1.x cannot use charakter with code 255.";
inline constexpr std::string_view Continue = "Continue?";
inline constexpr std::string_view FirmwareNotChosen = "Choose the panel firmware (1.6, 2.13 or 2.15) before saving.";
inline constexpr std::string_view FileTooLarge = "File $ is too large";
inline constexpr std::string_view CannotWrite = "File $ cannot be written: ";

// Reading text files and fonts: the captions beside the progress bar and
// the questions asked on the way.
inline constexpr std::string_view LinesInput = "Lines input";
inline constexpr std::string_view DestinationsInput = "Destinations input";
inline constexpr std::string_view StopsInput = "Stops input";
inline constexpr std::string_view TextsInput = "Texts input";
inline constexpr std::string_view FontsInput = "Fonts input";
inline constexpr std::string_view LineExists = "Line $ already exists! |Overwrite it?";
inline constexpr std::string_view DestinationExists = "Destination $ already exists! |Overwrite it?";
inline constexpr std::string_view StopExists = "Stop $ already exists! |Overwrite it?";
inline constexpr std::string_view WrongOrTooLargeNumber = "Wrong or too large number!";
inline constexpr std::string_view TextTooLong = "Text of $ is too long";
inline constexpr std::string_view OnlyDestinationsHaveEkvivalentFile = "Only destinations have an ekvivalent text file (*.cl)";
inline constexpr std::string_view OnlyStopsHaveStopFile = "Only stops have a stop text file (*.zs)";

// The font editor.
inline constexpr std::string_view AnotherCodeHasKey = "Another code is already assigned to key $";
inline constexpr std::string_view ReallyDeleteGlyph = "Really delete font $ ?";
inline constexpr std::string_view ReallyDeleteCode = "Really delete all for character code $ ?";
inline constexpr std::string_view ReallyDeleteFont = "Really delete all for font $ ?";
inline constexpr std::string_view ReallyDeleteAllFonts = "Really delete all fonts?";

// Ekvivalents and the on-board units' files.
inline constexpr std::string_view DestinationNotFound = "Destination $ was not found in panel database.";
inline constexpr std::string_view BbfMustExist = "File $ must exist and must contain configuration part of BBF !";
inline constexpr std::string_view EkvivalentTooLong = "Ekvivalent of destination $ is too long";

// Pictures.
inline constexpr std::string_view CannotEncodeGif = "The picture cannot be encoded as GIF: ";
// The configuration window's value checks and interlocks.
inline constexpr std::string_view InvalidValue = "Invalid value. Allowed range";
inline constexpr std::string_view ValueNotSet = "Value isn't set!";
inline constexpr std::string_view DestinationAbove999 = "Data containing destination number greater than 999.";
// What a new configuration would do to the data base (refused or asked).
inline constexpr std::string_view FieldOutsidePanel = "$ field lies outside the panel";
inline constexpr std::string_view FieldWithoutDots =
    "$ field has no dots: its left bound lies right of its right bound or its bottom above its top.";
inline constexpr std::string_view DestinationsNotSaved =
    "The panel database holds destinations, but neither z nor zC is chosen: saving would leave them out.\n"
    "Choose z or zC, or delete the destinations first.";
inline constexpr std::string_view ConfigurationNotSaveable = "With this configuration the panel database cannot be saved:";
}  // namespace msg

// Replaces the first "$" with the value and turns the first "|" into a line
// break; a text without "$" gets the value in front of it.
std::string formatMessage(std::string_view text, std::string_view value);

}  // namespace dorvak
