#include "config/prompt_answer.h"

#include <gtest/gtest.h>

#include <deque>

namespace dorvak {
namespace {

TEST(PromptLines, SplitAtTheFirstLineBreakOnly) {
  EXPECT_EQ(promptLines("Stop 12 already exists!"), (std::pair<std::string, std::string>{"Stop 12 already exists!", ""}));
  EXPECT_EQ(promptLines("a\rb\rc"), (std::pair<std::string, std::string>{"a", "b\rc"}));
  EXPECT_EQ(promptLines("Line 7 already exists! \nOverwrite it?"),
            (std::pair<std::string, std::string>{"Line 7 already exists! ", "Overwrite it?"}));
}

// Answers from a script, counting the questions.
struct Script {
  std::deque<PromptAnswer> answers;
  int asked = 0;
  AskPrompt ask() {
    return [this](const std::string&) {
      ++asked;
      PromptAnswer a = answers.front();
      answers.pop_front();
      return a;
    };
  }
};

TEST(DuplicateAnswers, OneAtATime) {
  Script script{{PromptAnswer::Overwrite, PromptAnswer::Skip}};
  DuplicateResolver resolver(script.ask());
  EXPECT_TRUE(resolver.overwrite("q"));
  EXPECT_FALSE(resolver.overwrite("q"));
  EXPECT_FALSE(resolver.cancelled());
  EXPECT_EQ(script.asked, 2);
}

TEST(DuplicateAnswers, ForAllAnswersAreRememberedForTheRestOfTheRead) {
  Script overwrite{{PromptAnswer::OverwriteAll}};
  DuplicateResolver all(overwrite.ask());
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(all.overwrite("q"));
  EXPECT_EQ(overwrite.asked, 1);

  Script skip{{PromptAnswer::Skip, PromptAnswer::SkipAll}};
  DuplicateResolver none(skip.ask());
  EXPECT_FALSE(none.overwrite("q"));
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(none.overwrite("q"));
  EXPECT_EQ(skip.asked, 2);
}

TEST(DuplicateAnswers, StornoSkipsAndCancels) {
  Script script{{PromptAnswer::Storno}};
  DuplicateResolver resolver(script.ask());
  EXPECT_FALSE(resolver.overwrite("q"));
  EXPECT_TRUE(resolver.cancelled());
}

TEST(DuplicateAnswers, WithoutAQuestionEverythingIsOverwritten) {
  DuplicateResolver resolver{AskPrompt{}};
  EXPECT_TRUE(resolver.overwrite("q"));
  EXPECT_FALSE(resolver.cancelled());
}

}  // namespace
}  // namespace dorvak
