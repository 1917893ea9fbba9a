#include "config/program_options.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/error.h"
#include "test_support.h"

namespace dorvak {
namespace {

TEST(OptionsFile, WithoutAFileTheDefaultsAndAfterTheFirstRunThreeLines) {
  test::TempDir dir;
  std::string path = dir.file("cfg/dorvak/dorvak.ovl");
  ProgramOptions options = loadProgramOptions(path);
  EXPECT_EQ(options, ProgramOptions{});
  EXPECT_EQ(options.kt500Table, builtinKt500Table());
  saveProgramOptions(options, path);
  EXPECT_EQ(test::readFile(path), "0\r\n\r\n\r\n");
}

TEST(OptionsFile, ModeLetterAIsKt500AndIsRewrittenAsADigit) {
  test::TempDir dir;
  std::string path = dir.file("dorvak.ovl");
  test::writeFile(path, "A\r\n\r\n\r\n");
  ProgramOptions options = loadProgramOptions(path);
  EXPECT_EQ(options.ekvivalentMode, EkvivalentMode::Kt500);
  saveProgramOptions(options, path);
  EXPECT_EQ(test::readFile(path), "1\r\n\r\n\r\n");

  for (auto [line, mode] : {std::pair{"1", 1}, {"2", 2}, {"", 0}, {"x", 0}, {"20", 2}}) {
    test::writeFile(path, std::string(line) + "\r\n");
    EXPECT_EQ(loadProgramOptions(path).ekvivalentMode, mode) << line;
  }
}

TEST(OptionsFile, TableFilesNamedThereAreReadWhenTheyExist) {
  test::TempDir dir;
  std::string tbk = dir.file("unit.tbk"), kt700 = dir.file("unit.700"), path = dir.file("dorvak.ovl");
  test::writeFile(tbk, std::string(128, 'Q') + "extra bytes are not looked at");
  std::string both(256, 'T');
  both += std::string(256, '\x05');
  test::writeFile(kt700, both);
  test::writeFile(path, "2\r\n" + tbk + "\r\n" + kt700 + "\r\n");
  ProgramOptions options = loadProgramOptions(path);
  EXPECT_EQ(options.ekvivalentMode, EkvivalentMode::Kt700);
  EXPECT_EQ(options.kt500Table[5], 'Q');
  EXPECT_EQ(options.kt500Path, tbk);
  EXPECT_EQ(options.kt700Table[200], 'T');
  EXPECT_EQ(options.kt700Widths[200], 5);
  EXPECT_EQ(options.kt700Path, kt700);
  EXPECT_FALSE(options.optionM);

  saveProgramOptions(options, path);
  EXPECT_EQ(test::readFile(path), "2\r\n" + tbk + "\r\n" + kt700 + "\r\n");

  test::writeFile(path, "1\n" + dir.file("gone.tbk") + "\n" + kt700 + "\n");  // LF line ends are read too
  options = loadProgramOptions(path);
  EXPECT_EQ(options.kt500Table, builtinKt500Table());
  EXPECT_TRUE(options.kt500Path.empty());
  EXPECT_EQ(options.kt700Path, kt700);
}

TEST(TableFiles, ShortFilesFail) {
  test::TempDir dir;
  test::writeFile(dir.file("short.tbk"), std::string(100, 'x'));
  try {
    readKt500TableFile(dir.file("short.tbk"));
    FAIL();
  } catch (const DorvakError& e) {
    EXPECT_STREQ(e.what(), "Read beyond end of file");
  }
  Kt700Table table{};
  Kt700Widths widths{};
  test::writeFile(dir.file("short.700"), std::string(511, 'x'));
  EXPECT_THROW(readKt700TableFile(dir.file("short.700"), table, widths), DorvakError);
  EXPECT_THROW(readKt500TableFile(dir.file("missing.tbk")), DorvakError);
}

TEST(OptionsFile, LivesInTheUsersConfigurationFolder) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(optionsFilePath(), "/tmp/xdg/dorvak/dorvak.ovl");
  unsetenv("XDG_CONFIG_HOME");
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : ".";
  EXPECT_EQ(optionsFilePath(), home + "/.config/dorvak/dorvak.ovl");
  if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST(PathDisplay, LongPathsKeepTheirLast32CharactersBehindDots) {
  EXPECT_EQ(displayPath("/short/path.tbk"), "/short/path.tbk");
  std::string exactly32(32, 'a');
  EXPECT_EQ(displayPath(exactly32), exactly32);
  std::string forty = "/home/operator/tables/units/kt500/cz.tbk";
  ASSERT_EQ(forty.size(), 40u);
  EXPECT_EQ(displayPath(forty), "....../tables/units/kt500/cz.tbk");
  EXPECT_EQ(displayPath(std::string(40, 'x')), "." + std::string(31, 'x')) << "no slash: one dot";
  EXPECT_EQ(displayPath("/abcd/" + std::string(31, 'y')), "." + std::string(31, 'y')) << "slash only in first place";
  EXPECT_EQ(displayPath("/" + std::string(31, 'y') + "/abc"), std::string(28, '.') + "/abc");
}

}  // namespace
}  // namespace dorvak
