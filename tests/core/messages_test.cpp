#include "core/messages.h"

#include <gtest/gtest.h>

namespace dorvak {
namespace {

TEST(FormatMessage, FillsTheFirstDollarAndBreaksAtTheFirstBar) {
  EXPECT_EQ(formatMessage("File $ exists. |Overwrite it?", "a.kod"), "File a.kod exists. \nOverwrite it?");
  EXPECT_EQ(formatMessage("Error in file $", "x|y$.hex"), "Error in file x|y$.hex");
  EXPECT_EQ(formatMessage(" don't exist", "Stop 12"), "Stop 12 don't exist");
  EXPECT_EQ(formatMessage("$ and $|a|b", "1"), "1 and $\na|b");
}

}  // namespace
}  // namespace dorvak
