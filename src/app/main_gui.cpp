// The window program: one copy per logon, the main window and its message loop.
#include <QApplication>
#include <cstdio>
#include <exception>
#include <memory>

#include "ui/FrmMain.h"
#include "ui/SingleInstance.h"

namespace {

int RunApplication(int& argc, char** argv) {
  std::unique_ptr<QApplication> app;
  std::unique_ptr<TFrmMain> form;
  try {
    app = std::make_unique<QApplication>(argc, argv);
    // The application title. (A display name would be appended to every window
    // title, the message boxes' captions included.)
    QApplication::setApplicationName(QStringLiteral("Mirvaso"));
    QGuiApplication::setDesktopFileName(QStringLiteral("mirvaso"));
    form = std::make_unique<TFrmMain>();
    // The program ends at once, without closing the window (a close would be asked
    // about again).
    QObject::connect(form.get(), &TFrmMain::EndRequested, app.get(),
                     [] { QCoreApplication::exit(0); });
    form->show();
    QApplication::exec();
  } catch (const std::exception& error) {
    if (app) {
      ShowException(form.get(), QString::fromUtf8(error.what()));
    } else {
      std::fprintf(stderr, "mirvaso: %s\n", error.what());
    }
  } catch (...) {
    if (app) ShowException(form.get(), QString());
  }
  // No worker is cut off: one still alive is let go and waited for.
  form.reset();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TSingleInstance instance(QStringLiteral("RadOdoz_Azeviv"));
  if (!instance.Acquire()) return 1;
  const int code = RunApplication(argc, argv);
  instance.Release();
  return code;
}
