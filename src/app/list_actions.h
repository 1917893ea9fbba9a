#pragma once
// Deleting entries after the question, as the main window's choosers and the
// text editors offer it: one undoable command each.

#include <string>

#include "core/text_kind.h"

namespace dorvak {

class Session;

// Asks "Really delete destination 012 ?" (OK / Cancel), `shown` standing for
// the number, and deletes the entry of the key. True when it was deleted.
bool deleteEntryAsked(Session& session, TextKind kind, const std::string& key, const std::string& shown);
// Asks "Really delete all destinations?" (Yes / No) and empties the list.
// Nothing happens to an empty list. True when it was emptied.
bool deleteAllAsked(Session& session, TextKind kind);

}  // namespace dorvak
