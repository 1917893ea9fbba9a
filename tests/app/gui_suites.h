#pragma once
// The GUI test suites, each a QtTest object.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace dorvak::test {

struct Suite {
  const char* name;
  std::function<std::unique_ptr<QObject>()> make;
};

std::unique_ptr<QObject> makeMainWindowSuite();
std::unique_ptr<QObject> makePromptSuite();
std::unique_ptr<QObject> makeCommandsSuite();
std::unique_ptr<QObject> makeDestinationEditorSuite();
std::unique_ptr<QObject> makeLineEditorSuite();
std::unique_ptr<QObject> makeStopEditorSuite();
std::unique_ptr<QObject> makeFontEditorSuite();
std::unique_ptr<QObject> makeFontManagerSuite();
std::unique_ptr<QObject> makeConfigurationSuite();
std::unique_ptr<QObject> makeOptionsSuite();

inline std::vector<Suite> suites() {
  return {{"TestMainWindow", makeMainWindowSuite},
          {"TestPrompt", makePromptSuite},
          {"TestCommands", makeCommandsSuite},
          {"TestDestinationEditor", makeDestinationEditorSuite},
          {"TestLineEditor", makeLineEditorSuite},
          {"TestStopEditor", makeStopEditorSuite},
          {"TestFontEditor", makeFontEditorSuite},
          {"TestFontManager", makeFontManagerSuite},
          {"TestConfiguration", makeConfigurationSuite},
          {"TestOptions", makeOptionsSuite}};
}

}  // namespace dorvak::test
