#pragma once
// The prompter of the GUI tests: answers queued in the order the program
// will ask, checked against the kind of question asked. A question nobody
// queued an answer for, or of another kind, is recorded as unexpected and
// answered the safe way (Cancel, No, Storno, no file, a window left alone).

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "app/prompter.h"

namespace dorvak::test {

class ScriptedPrompter : public Prompter {
 public:
  enum class Kind { Notice, OkCancel, YesNo, YesNoCancel, FiveButtons, File, Window };
  struct Question {
    Kind kind;
    QString text;  // a file dialog's title
    FileDialogRequest request;
  };

  // Queue answers; each returns *this to chain.
  ScriptedPrompter& ok();
  ScriptedPrompter& cancel();  // an OK/Cancel or a Yes/No/Cancel question
  ScriptedPrompter& yes();     // a Yes/No or a Yes/No/Cancel question
  ScriptedPrompter& no();
  ScriptedPrompter& five(PromptAnswer answer);
  // empty: the dialog cancelled; filterIndex -1: the filter the dialog offered
  ScriptedPrompter& file(const QString& path, int filterIndex = -1);
  // A window run modally, by its object name: it is shown, the action works
  // in it as the user would, and it is closed unless the action closed it.
  ScriptedPrompter& window(const QString& objectName, std::function<void(QDialog&)> action = {});

  // Everything asked or shown so far, notices included.
  const std::vector<Question>& asked() const { return asked_; }
  QString lastText() const { return asked_.empty() ? QString() : asked_.back().text; }
  QStringList notices() const;
  QStringList unexpected() const { return unexpected_; }
  std::size_t pending() const { return answers_.size(); }
  void clear();

  void notice(std::string_view text) override;
  bool okCancel(std::string_view text) override;
  bool yesNo(std::string_view text) override;
  YesNoCancel yesNoCancel(std::string_view text) override;
  PromptAnswer fiveButtons(std::string_view text) override;
  std::optional<ChosenFile> chooseFile(const FileDialogRequest& request) override;
  void runModal(QDialog& window) override;

 private:
  enum class Answer { Ok, Cancel, Yes, No, Five, File, Window };
  struct Queued {
    Answer answer;
    PromptAnswer five = PromptAnswer::Storno;
    QString path;  // a file's path, a window's object name
    int filterIndex = -1;
    std::function<void(QDialog&)> action;
  };
  // The next answer when it is one of the accepted ones; else nothing.
  std::optional<Queued> take(Kind kind, const QString& text, std::initializer_list<Answer> accepted);

  std::deque<Queued> answers_;
  std::vector<Question> asked_;
  QStringList unexpected_;
};

}  // namespace dorvak::test
