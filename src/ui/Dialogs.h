#pragma once
// The window's modal questions, its save dialog and the opening of a file in the
// desktop's associated program, each behind a small wrapper. In normal use the real
// dialogs are shown; in test mode nothing is shown: every request is recorded and
// answered from a queue of preset answers.
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

namespace Dialogs {
// Switches every wrapper below to test mode (and back), clearing queues and records.
void SetTestMode(bool on);
}  // namespace Dialogs

// One message box as asked for.
struct TMessageRequest {
  QString text;
  QString caption;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

namespace MessageBox {
using TAnswerFn = std::function<QMessageBox::StandardButton(const TMessageRequest&)>;

// Shows a modal, always-on-top message box and returns the button pressed.
QMessageBox::StandardButton Show(QWidget* parent, const TMessageRequest& request);

// Test mode: answers for the next boxes, in order. A box without a preset answer is
// answered with its default button (OK for a box without one).
void setNextAnswer(QMessageBox::StandardButton answer);
// The answer is computed when the box would be on screen; the callback may run the
// event loop (as a real modal box does) before it answers.
void setNextAnswer(TAnswerFn answer);
// Test mode: every box asked for so far, oldest first.
const std::vector<TMessageRequest>& asked();
void clearAsked();
}  // namespace MessageBox

// The save dialog's settings as asked for.
struct TSaveDialogRequest {
  QString title;
  QString filter;
  QString fileName;
  bool confirmOverwrite = true;
};

namespace FileDialog {
// Shows the save dialog; returns the chosen path, or an empty text when cancelled.
QString GetSaveFileName(QWidget* parent, const TSaveDialogRequest& request);

// Test mode: the path the next dialog returns (empty: the user cancels). A dialog
// without a preset answer is cancelled.
void setNextFileName(const QString& path);
const std::vector<TSaveDialogRequest>& asked();
}  // namespace FileDialog

namespace FileOpener {
// Opens the file in the program the desktop associates with it; the result is not
// looked at. In test mode the path is only recorded.
void Open(const QString& path);
const QStringList& opened();
}  // namespace FileOpener
