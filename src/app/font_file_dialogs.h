#pragma once
// The file dialog that reads fonts: a font file or the fonts of a panel data
// base, starting in the last used folder (the font editor's Read and the
// font manager's source file).

#include <string>

#include "app/prompter.h"
#include "app/qt_text.h"
#include "app/strings.h"

namespace dorvak {

inline FileDialogRequest readFontsRequest(const QString& objectName, const std::string& lastDir) {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Open;
  request.objectName = objectName;
  request.title = qs(text::ReadTitle);
  request.filters = {qs(text::FontFileFilter) + qs(text::FntFilterSuffix),
                     qs(text::PanelDatabaseFilter) + qs(text::HexFilterSuffix)};
  request.directory = QString::fromStdString(lastDir);
  return request;
}

}  // namespace dorvak
