#pragma once
// The five-button question asked when an item read from a file already
// exists: Overwrite, Skip, Storno, Overwrite all, Skip all. Closing it in
// any other way answers Storno.

#include <QDialog>
#include <array>
#include <string_view>

#include "config/prompt_answer.h"

class QLabel;
class QPushButton;

namespace dorvak {

class TFormHlas : public QDialog {
  Q_OBJECT
 public:
  explicit TFormHlas(QWidget* parent = nullptr);

  // Shows the question modally; the text's first line break (CR or LF)
  // separates the two lines.
  PromptAnswer ask(std::string_view text);

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  std::array<QPushButton*, 5> Buttons{};  // Button1..Button5, tags 1..5

 private:
  void ButtonClick(int tag);
  PromptAnswer answer_ = PromptAnswer::Storno;
};

}  // namespace dorvak
