#pragma once
// Shared pieces of the window tests: the list of test classes that the test program
// runs, and a window opened on a folder of its own.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "support/TempDir.h"
#include "ui/Dialogs.h"
#include "ui/FrmMain.h"

using TGuiTestFactory = std::unique_ptr<QObject> (*)();
std::vector<TGuiTestFactory>& GuiTestClasses();

#define MIRVASO_GUI_TEST(Class)                                                                 \
  namespace {                                                                                   \
  const bool registered##Class = (GuiTestClasses().push_back([]() -> std::unique_ptr<QObject> { \
    return std::make_unique<Class>();                                                           \
  }),                                                                                           \
                                  true);                                                        \
  }

void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

// The rows (0-based) of the ticked items.
QList<int> TickedRows(const QListWidget* list);
// Toggles the tick of a row the way the user does: that row current, then the space key.
void UserToggle(QListWidget* list, int row);

// A main window whose program folder (settings file, Temporary page file) is a fresh
// temporary folder.
class TWindow {
 public:
  QString Folder() const { return QString::fromStdString(FDir.Path()) + QLatin1Char('/'); }
  QString SettingsPath() const { return Folder() + QStringLiteral("mvs.ini"); }

  // Creates the window, shows it and lets it restore its ticks; false when it did not
  // come up.
  bool Open();
  TFrmMain* operator->() const { return FForm.get(); }
  TFrmMain* get() const { return FForm.get(); }
  // Destroys the window (letting any worker go first).
  void Destroy() { FForm.reset(); }

 private:
  TTempDir FDir;
  std::unique_ptr<TFrmMain> FForm;
};

// One line naming everything a message box was asked with, for comparisons.
QString Describe(const TMessageRequest& request);
// The description of a box with OK and the information icon.
QString InfoBox(const QString& text, const QString& caption);
// The description of a Yes/No question box.
QString QuestionBox(const QString& text, const QString& caption, QMessageBox::StandardButton def);
// The descriptions of every box asked for so far.
QStringList AskedBoxes();
