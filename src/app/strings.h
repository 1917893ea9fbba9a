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
inline constexpr std::string_view MenuExportAnimation = "&Export animation ...";
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
inline constexpr std::string_view ExportAnimationTitle = "Export animation";
inline constexpr std::string_view GifAnimationFilter = "GIF animation (*.gif)";

// The five-button prompt.
inline constexpr std::string_view Overwrite = "Overwrite";
inline constexpr std::string_view Skip = "Skip";
inline constexpr std::string_view Storno = "Storno";
inline constexpr std::string_view OverwriteAll = "Overwrite all";
inline constexpr std::string_view SkipAll = "Skip all";
inline constexpr std::string_view LineExists = "Line $ already exists! |Overwrite it?";
inline constexpr std::string_view DestinationExists = "Destination $ already exists! |Overwrite it?";
inline constexpr std::string_view StopExists = "Stop $ already exists! |Overwrite it?";

// About.
inline constexpr std::string_view AboutTitle = "Dorvak ";
inline constexpr std::string_view AboutPurpose = "- program for preparing, examining and editing";
inline constexpr std::string_view AboutDescription =
    "the data base of dot-matrix destination panels, by the Dorvak developers";
inline constexpr std::string_view ProgramVersion = "program version";
inline constexpr std::string_view AboutContacts[] = {
    "Dorvak project", "Source, manual and issue tracker:", "in the project's repository", "(see README.md)"};

}  // namespace dorvak::text
