#include "GuiTestSupport.h"

#include <QFile>
#include <QTest>

std::vector<TGuiTestFactory>& GuiTestClasses() {
  static std::vector<TGuiTestFactory> classes;
  return classes;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<int> TickedRows(const QListWidget* list) {
  QList<int> rows;
  for (int row = 0; row < list->count(); row++) {
    if (list->item(row)->checkState() == Qt::Checked) rows.append(row);
  }
  return rows;
}

void UserToggle(QListWidget* list, int row) {
  list->setCurrentRow(row);
  QTest::keyClick(list, Qt::Key_Space);
}

bool TWindow::Open() {
  FForm = std::make_unique<TFrmMain>();
  FForm->SetProgramFolder(Folder());
  FForm->show();
  if (!QTest::qWaitForWindowExposed(FForm.get())) return false;
  FForm->activateWindow();
  if (!QTest::qWaitForWindowActive(FForm.get())) return false;
  QCoreApplication::processEvents();
  return true;
}

QString Describe(const TMessageRequest& request) {
  return QStringLiteral("[%1] %2 | buttons %3 | icon %4 | default %5")
      .arg(request.caption, request.text)
      .arg(static_cast<int>(request.buttons))
      .arg(static_cast<int>(request.icon))
      .arg(static_cast<int>(request.defaultButton));
}

QString InfoBox(const QString& text, const QString& caption) {
  return Describe({text, caption, QMessageBox::Ok, QMessageBox::Information, QMessageBox::Ok});
}

QString QuestionBox(const QString& text, const QString& caption, QMessageBox::StandardButton def) {
  return Describe({text, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, def});
}

QStringList AskedBoxes() {
  QStringList boxes;
  for (const TMessageRequest& request : MessageBox::asked()) boxes << Describe(request);
  return boxes;
}
