#include "app/list_actions.h"

#include "app/list_commands.h"
#include "app/qt_text.h"
#include "app/session.h"
#include "app/strings.h"
#include "core/messages.h"

namespace dorvak {

namespace {

struct DeleteTexts {
  std::string_view question, questionAll, undo, undoAll;
};

const DeleteTexts& textsOf(TextKind kind) {
  static const DeleteTexts texts[3] = {
      {text::ReallyDeleteLine, text::ReallyDeleteAllLines, text::UndoDeleteLine, text::UndoDeleteAllLines},
      {text::ReallyDeleteDestination, text::ReallyDeleteAllDestinations, text::UndoDeleteDestination,
       text::UndoDeleteAllDestinations},
      {text::ReallyDeleteStop, text::ReallyDeleteAllStops, text::UndoDeleteStop, text::UndoDeleteAllStops},
  };
  return texts[kind == TextKind::Line ? 0 : kind == TextKind::Destination ? 1 : 2];
}

}  // namespace

bool deleteEntryAsked(Session& session, TextKind kind, const std::string& key, const std::string& shown) {
  Document& document = session.document();
  if (!document.database().list(kind).findEntry(key)) return false;
  const DeleteTexts& t = textsOf(kind);
  if (!session.prompter().okCancel(formatMessage(t.question, shown))) return false;
  document.push(new DeleteEntryCommand(document, kind, key, entryCommandText(t.undo, document.database(), kind, key)));
  return true;
}

bool deleteAllAsked(Session& session, TextKind kind) {
  Document& document = session.document();
  if (document.database().list(kind).empty()) return false;
  const DeleteTexts& t = textsOf(kind);
  if (!session.prompter().yesNo(t.questionAll)) return false;
  document.push(new ReplaceListCommand(document, kind, TextList{}, qs(t.undoAll)));
  return true;
}

}  // namespace dorvak
