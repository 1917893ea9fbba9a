// dorvak: the desktop program. `dorvak [FILE.hex]` opens the file at start.

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

#include "app/panel_picture.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "app/tformmain.h"
#include "config/program_options.h"
#include "core/hex_writer.h"
#include "render/field_choice.h"

int main(int argc, char* argv[]) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  QApplication app(argc, argv);
  QApplication::setApplicationName(dorvak::qs(dorvak::text::AppTitle));
  QApplication::setOrganizationName("dorvak");
  QApplication::setApplicationVersion(dorvak::qs(dorvak::kVersionText));
  QApplication::setDesktopFileName("dorvak");

  QCommandLineParser parser;
  parser.setApplicationDescription("Prepares, examines and edits the data base of dot-matrix destination panels.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("FILE.hex", "Panel data base to open at start");
  // For measurements and the README's screenshot.
  QCommandLineOption startupTime("startup-time", "Print the milliseconds to the first painted panel and quit");
  QCommandLineOption grab("grab", "Save a picture of the window after --grab-after ms and quit", "PNG");
  QCommandLineOption grabAfter("grab-after", "Milliseconds before --grab (default 3000)", "MS", "3000");
  QCommandLineOption line("line", "Line to show after opening", "N");
  QCommandLineOption destination("destination", "Destination to show after opening (X: the starting one)", "N");
  QCommandLineOption stop("stop", "Stop to show after opening", "N");
  QCommandLineOption editor("editor", "Open the destination editor on the destination shown");
  QCommandLineOption lineEditor("line-editor", "Open the line editor on the line shown");
  QCommandLineOption stopEditor("stop-editor", "Open the stop editor on the stop shown");
  QCommandLineOption show("show", "Open a window as the Tools menu does: configuration or options (--grab takes it)",
                          "WINDOW");
  parser.addOptions({line, destination, stop, editor, lineEditor, stopEditor, startupTime, grab, grabAfter, show});
  parser.process(app);

  dorvak::Session session(dorvak::optionsFilePath());
  dorvak::TFormMAIN& window = session.main();
  QApplication::setWindowIcon(window.windowIcon());
  window.show();

  if (parser.isSet(startupTime)) {
    // The first paint after the panel received its first pages.
    QObject::connect(&window.picture(), &dorvak::PanelPicture::painted, &app, [&] {
      std::printf("first painted panel after %lld ms\n", static_cast<long long>(sinceStart.elapsed()));
      std::fflush(stdout);
      app.exit(0);
    });
  }
  if (!parser.positionalArguments().isEmpty() &&
      window.openFile(parser.positionalArguments().first().toStdString())) {
    const std::pair<const QCommandLineOption*, dorvak::FieldId> choices[] = {
        {&line, dorvak::FieldId::Line}, {&destination, dorvak::FieldId::Destination}, {&stop, dorvak::FieldId::Stop}};
    for (const auto& [option, fieldId] : choices) {
      if (!parser.isSet(*option)) continue;
      const QString value = parser.value(*option);
      const bool starting = fieldId == dorvak::FieldId::Destination && value.toUpper().startsWith('X');
      bool ok = starting;
      const int number = starting ? dorvak::startingDestinationNumber(session.database()) : value.toInt(&ok);
      if (ok) window.choose(fieldId, number);
    }
    const std::pair<const QCommandLineOption*, QAction*> editors[] = {
        {&lineEditor, window.MenuEdLINKA}, {&editor, window.MenuEdCIL}, {&stopEditor, window.MenuEdZAST}};
    for (const auto& [option, action] : editors)
      if (parser.isSet(*option) && action->isEnabled()) action->trigger();
  }
  if (parser.isSet(show)) {
    const QString which = parser.value(show);
    QAction* tool = which == "configuration" ? window.MenuKONF : which == "options" ? window.MenuVolby : nullptr;
    if (!tool || !tool->isEnabled()) {
      std::fprintf(stderr, "cannot show %s\n", which.toLocal8Bit().constData());
      return 2;
    }
    tool->trigger();
  }
  if (parser.isSet(grab)) {
    const QString path = parser.value(grab);
    QTimer::singleShot(parser.value(grabAfter).toInt(), &app, [&window, path] {
      // The window --show opened, else the main window.
      QWidget* shown = QApplication::activeModalWidget();
      const bool saved = (shown ? shown : &window)->grab().save(path);
      if (!saved) std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
      QApplication::exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}
