// Runs every window test class on the offscreen platform, with the dialogs in test mode.
// A first argument naming a test class runs only that class (with the remaining
// arguments passed on to it).
#include <QApplication>
#include <QTest>
#include <cstring>
#include <vector>

#include "GuiTestSupport.h"
#include "ui/Dialogs.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Dialogs::SetTestMode(true);

  const char* only = nullptr;
  std::vector<char*> args(argv, argv + argc);
  if (argc > 1) {
    for (TGuiTestFactory make : GuiTestClasses()) {
      if (std::strcmp(make()->metaObject()->className(), argv[1]) == 0) only = argv[1];
    }
    if (only) args.erase(args.begin() + 1);
  }
  int failures = 0;
  for (TGuiTestFactory make : GuiTestClasses()) {
    std::unique_ptr<QObject> tests = make();
    if (only && std::strcmp(tests->metaObject()->className(), only) != 0) continue;
    failures += QTest::qExec(tests.get(), static_cast<int>(args.size()), args.data());
  }
  return failures == 0 ? 0 : 1;
}
