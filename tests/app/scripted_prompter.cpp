#include "scripted_prompter.h"

#include <QDialog>
#include <algorithm>

#include "app/message_box.h"

namespace dorvak::test {

ScriptedPrompter& ScriptedPrompter::ok() {
  answers_.push_back({Answer::Ok, PromptAnswer::Storno, QString(), -1, {}});
  return *this;
}
ScriptedPrompter& ScriptedPrompter::cancel() {
  answers_.push_back({Answer::Cancel, PromptAnswer::Storno, QString(), -1, {}});
  return *this;
}
ScriptedPrompter& ScriptedPrompter::yes() {
  answers_.push_back({Answer::Yes, PromptAnswer::Storno, QString(), -1, {}});
  return *this;
}
ScriptedPrompter& ScriptedPrompter::no() {
  answers_.push_back({Answer::No, PromptAnswer::Storno, QString(), -1, {}});
  return *this;
}
ScriptedPrompter& ScriptedPrompter::five(PromptAnswer answer) {
  answers_.push_back({Answer::Five, answer, QString(), -1, {}});
  return *this;
}
ScriptedPrompter& ScriptedPrompter::file(const QString& path, int filterIndex) {
  answers_.push_back({Answer::File, PromptAnswer::Storno, path, filterIndex, {}});
  return *this;
}
ScriptedPrompter& ScriptedPrompter::window(const QString& objectName, std::function<void(QDialog&)> action) {
  answers_.push_back({Answer::Window, PromptAnswer::Storno, objectName, -1, std::move(action)});
  return *this;
}

QStringList ScriptedPrompter::notices() const {
  QStringList texts;
  for (const Question& q : asked_)
    if (q.kind == Kind::Notice) texts << q.text;
  return texts;
}

void ScriptedPrompter::clear() {
  answers_.clear();
  asked_.clear();
  unexpected_.clear();
}

std::optional<ScriptedPrompter::Queued> ScriptedPrompter::take(Kind kind, const QString& text,
                                                               std::initializer_list<Answer> accepted) {
  asked_.push_back({kind, text, {}});
  if (answers_.empty() || std::find(accepted.begin(), accepted.end(), answers_.front().answer) == accepted.end()) {
    unexpected_ << text;
    return std::nullopt;
  }
  Queued answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void ScriptedPrompter::notice(std::string_view text) { asked_.push_back({Kind::Notice, messageText(text), {}}); }

bool ScriptedPrompter::okCancel(std::string_view text) {
  auto answer = take(Kind::OkCancel, messageText(text), {Answer::Ok, Answer::Cancel});
  return answer && answer->answer == Answer::Ok;
}

bool ScriptedPrompter::yesNo(std::string_view text) {
  auto answer = take(Kind::YesNo, messageText(text), {Answer::Yes, Answer::No});
  return answer && answer->answer == Answer::Yes;
}

YesNoCancel ScriptedPrompter::yesNoCancel(std::string_view text) {
  auto answer = take(Kind::YesNoCancel, messageText(text), {Answer::Yes, Answer::No, Answer::Cancel});
  if (!answer) return YesNoCancel::Cancel;
  return answer->answer == Answer::Yes ? YesNoCancel::Yes : answer->answer == Answer::No ? YesNoCancel::No
                                                                                         : YesNoCancel::Cancel;
}

PromptAnswer ScriptedPrompter::fiveButtons(std::string_view text) {
  auto answer = take(Kind::FiveButtons, messageText(text), {Answer::Five});
  return answer ? answer->five : PromptAnswer::Storno;
}

std::optional<ChosenFile> ScriptedPrompter::chooseFile(const FileDialogRequest& request) {
  auto answer = take(Kind::File, request.title, {Answer::File});
  asked_.back().request = request;
  if (!answer || answer->path.isEmpty()) return std::nullopt;
  return ChosenFile{answer->path, answer->filterIndex < 0 ? request.filterIndex : answer->filterIndex};
}

void ScriptedPrompter::runModal(QDialog& window) {
  auto answer = take(Kind::Window, window.objectName(), {Answer::Window});
  if (!answer) return;
  if (answer->path != window.objectName()) {
    unexpected_ << window.objectName();
    return;
  }
  window.show();
  if (answer->action) answer->action(window);
  if (window.isVisible()) window.close();
}

}  // namespace dorvak::test
