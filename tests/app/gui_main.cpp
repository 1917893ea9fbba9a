// Runs one QtTest suite, named by the first argument, or all of them.

#include <QApplication>
#include <QStandardPaths>
#include <QTest>
#include <cstring>

#include "gui_suites.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Settings (geometry, recent files) go to a test location, not the user's.
  QStandardPaths::setTestModeEnabled(true);
  QApplication::setOrganizationName("dorvak-tests");
  QApplication::setApplicationName("Dorvak");
  const char* only = argc > 1 ? argv[1] : nullptr;
  int failures = 0;
  for (const auto& suite : dorvak::test::suites()) {
    if (only && std::strcmp(only, suite.name) != 0) continue;
    std::unique_ptr<QObject> object = suite.make();
    failures += QTest::qExec(object.get(), 1, argv);
  }
  return failures == 0 ? 0 : 1;
}
