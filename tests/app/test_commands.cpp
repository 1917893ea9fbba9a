// The document's commands: each one, done, undone and redone, leaves the
// data base equal to the state before and after, tells the views the same
// way each time, and keeps only what it changed.

#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "app/config_commands.h"
#include "app/document.h"
#include "app/font_commands.h"
#include "app/list_commands.h"
#include "core/hex_reader.h"
#include "fonts/edit_grid.h"
#include "gui_suites.h"
#include "gui_test_util.h"

namespace dorvak::test {

namespace {

PanelDatabase demo() {
  PanelDatabase db;
  db.resetConfig();
  openHexFile(db, demoPath().toStdString());
  return db;
}

struct Case {
  const char* name;
  std::function<QUndoCommand*(Document&)> make;
  QString undoText;
  enum Signal { List, Fonts, Config, DataVersion } signal;  // what every execution tells the views
};

std::unique_ptr<QSignalSpy> spyOn(Document& document, Case::Signal signal) {
  switch (signal) {
    case Case::List: return std::make_unique<QSignalSpy>(&document, &Document::listChanged);
    case Case::Fonts: return std::make_unique<QSignalSpy>(&document, &Document::fontsChanged);
    case Case::Config: return std::make_unique<QSignalSpy>(&document, &Document::configChanged);
    case Case::DataVersion: break;
  }
  return std::make_unique<QSignalSpy>(&document, &Document::dataVersionChanged);
}

}  // namespace

class TestCommands : public QObject {
  Q_OBJECT
 private slots:
  void doneUndoneAndRedone_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(cases().size()); ++i) QTest::newRow(cases()[static_cast<std::size_t>(i)].name) << i;
  }

  void doneUndoneAndRedone() {
    QFETCH(int, index);
    const Case& c = cases()[static_cast<std::size_t>(index)];
    Document document;
    document.replace(demo(), "demo.hex", {true, true, false});
    const PanelDatabase before = document.database();
    std::unique_ptr<QSignalSpy> spyPointer = spyOn(document, c.signal);
    QSignalSpy& spy = *spyPointer;
    document.push(c.make(document));
    const PanelDatabase after = document.database();
    QVERIFY(!(after == before));
    QVERIFY(document.isModified());
    QCOMPARE(document.undoStack().undoText(), c.undoText);
    QCOMPARE(spy.count(), 1);
    for (int round = 0; round < 2; ++round) {
      document.undoStack().undo();
      QVERIFY(document.database() == before);
      QVERIFY(!document.isModified());
      document.undoStack().redo();
      QVERIFY(document.database() == after);
      QVERIFY(document.isModified());
    }
    QCOMPARE(spy.count(), 5);
    // The signal of a list change names the kind and key of the entry.
    if (c.signal == Case::List) {
      // Redo tells what the first execution told, undo its opposite.
      QCOMPARE(spy.at(2), spy.at(0));
      QCOMPARE(spy.at(4), spy.at(0));
      QCOMPARE(spy.at(3), spy.at(1));
      QCOMPARE(spy.at(1).at(1), spy.at(0).at(1));
    }
  }

  void aFontCommandKeepsOnlyWhatItChanged() {
    Document document;
    document.replace(demo(), "demo.hex", {});
    EditGrid grid;
    grid.load(document.database().fonts.glyph(3, 'A'));
    grid.setCell(1, 1, GridCell::On);
    auto* store = new FontsCommand(document, "Store glyph", GlyphScope::glyph(3, 'A'),
                                   [&](PanelDatabase& db) { storeGlyph(db, grid, 3, 'A', "A"); });
    document.push(store);
    QCOMPARE(store->changedGlyphs(), std::size_t{1});
    QCOMPARE(store->changedKeys(), std::size_t{0});

    // Deleting all fonts keeps the glyphs that existed and the keys, not the
    // whole table.
    std::size_t existing = 0;
    for (int f = 0; f < kFontCount; ++f)
      for (int code = 0; code < kCodeCount; ++code) existing += document.database().fonts.glyph(f, code).exists();
    auto* deleteAll = new FontsCommand(document, "Delete all fonts", GlyphScope::all(), deleteAllFonts);
    document.push(deleteAll);
    QCOMPARE(deleteAll->changedGlyphs(), existing);
    QVERIFY(deleteAll->changedKeys() > 100);
    QVERIFY(!document.database().hasFonts());
    document.undoStack().undo();
    QVERIFY(document.database().hasFonts());

    // An operation that changes nothing leaves nothing to undo.
    document.push(new FontsCommand(document, "Nothing", GlyphScope::font(12), [](PanelDatabase&) {}));
    QCOMPARE(document.undoStack().index(), 1);
    QCOMPARE(document.undoStack().undoText(), QString("Store glyph"));
  }

  void deletingAMissingEntryLeavesNoCommand() {
    Document document;
    document.replace(demo(), "demo.hex", {});
    document.push(new DeleteEntryCommand(document, TextKind::Line, "0777", "Delete line 777"));
    QCOMPARE(document.undoStack().count(), 0);
    QVERIFY(!document.isModified());
  }

  void dataVersionTypingMergesAndTypingBackLeavesNothing() {
    Document document;
    document.replace(demo(), "demo.hex", {});
    const std::string original = document.database().dataVersion;
    document.push(new SetDataVersionCommand(document, "1"));
    document.push(new SetDataVersionCommand(document, "12"));
    document.push(new SetDataVersionCommand(document, "123"));
    QCOMPARE(document.undoStack().count(), 1);
    document.undoStack().undo();
    QCOMPARE(document.database().dataVersion, original);
    document.undoStack().redo();
    QCOMPARE(document.database().dataVersion, std::string("123"));
    // Another command in between ends the merging.
    document.push(new DeleteEntryCommand(document, TextKind::Line, "0003", "Delete line 003"));
    document.push(new SetDataVersionCommand(document, "1234"));
    QCOMPARE(document.undoStack().count(), 3);
    document.push(new SetDataVersionCommand(document, "123"));
    QCOMPARE(document.undoStack().count(), 2);
  }

  void replacingTheDataBaseForgetsTheHistory() {
    Document document;
    QSignalSpy replaced(&document, &Document::databaseReplaced);
    document.replace(demo(), "demo.hex", {});
    document.push(new DeleteEntryCommand(document, TextKind::Line, "0003", "Delete line 003"));
    QVERIFY(document.isModified());
    document.replace(demo(), "other.hex", {});
    QVERIFY(!document.isModified());
    QVERIFY(!document.undoStack().canUndo());
    document.close();
    QVERIFY(!document.isOpen());
    QCOMPARE(document.fileName(), std::string());
    QCOMPARE(replaced.count(), 3);
  }

 private:
  static const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"put a new entry",
         [](Document& d) { return new PutEntryCommand(d, TextKind::Destination, "0777", "\\xE0" "AB\\r", "Save destination 777"); },
         "Save destination 777", Case::List},
        {"replace an entry",
         [](Document& d) { return new PutEntryCommand(d, TextKind::Destination, "0001", "\\xE0" "AB\\r", "Save destination 001"); },
         "Save destination 001", Case::List},
        {"delete an entry",
         [](Document& d) {
           return new DeleteEntryCommand(d, TextKind::Stop, "0004",
                                         entryCommandText("Delete stop $", d.database(), TextKind::Stop, "0004"));
         },
         "Delete stop 0004", Case::List},
        {"replace a list", [](Document& d) { return new ReplaceListCommand(d, TextKind::Line, TextList{}, "Delete all lines"); },
         "Delete all lines", Case::List},
        {"store a glyph and its key",
         [](Document& d) {
           return new FontsCommand(d, "Store glyph 65 of font 3", GlyphScope::glyph(3, 65), [](PanelDatabase& db) {
             EditGrid grid;
             grid.setCell(1, 1, GridCell::On);
             grid.setCell(2, 1, GridCell::On);
             storeGlyph(db, grid, 3, 65, "");
           });
         },
         "Store glyph 65 of font 3", Case::Fonts},
        {"delete a font", [](Document& d) { return new FontsCommand(d, "Delete font 3", GlyphScope::font(3), [](PanelDatabase& db) { deleteFont(db, 3); }); },
         "Delete font 3", Case::Fonts},
        {"set the configuration",
         [](Document& d) {
           Configuration c = Configuration::of(d);
           c.config.commands.zC = 1;
           c.config.destinationStyle.delay = 5;
           c.codeTable.name = "self";
           c.choosers.stop = true;
           return new SetConfigurationCommand(d, c, "Panel configuration");
         },
         "Panel configuration", Case::Config},
        {"set the data version", [](Document& d) { return new SetDataVersionCommand(d, "2026-12"); }, "Data version",
         Case::DataVersion},
    };
    return all;
  }
};

std::unique_ptr<QObject> makeCommandsSuite() { return std::make_unique<TestCommands>(); }

}  // namespace dorvak::test

#include "test_commands.moc"
