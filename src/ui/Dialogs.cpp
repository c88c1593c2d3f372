#include "ui/Dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>
#include <deque>

namespace {

struct TTestState {
  bool on = false;
  std::deque<MessageBox::TAnswerFn> answers;
  std::vector<TMessageRequest> asked;
  std::deque<QString> fileNames;
  std::vector<TSaveDialogRequest> dialogs;
  QStringList opened;
};

TTestState& State() {
  static TTestState state;
  return state;
}

}  // namespace

void Dialogs::SetTestMode(bool on) {
  State() = TTestState{};
  State().on = on;
}

QMessageBox::StandardButton MessageBox::Show(QWidget* parent, const TMessageRequest& request) {
  TTestState& state = State();
  if (state.on) {
    state.asked.push_back(request);
    if (state.answers.empty()) {
      return request.defaultButton != QMessageBox::NoButton ? request.defaultButton
                                                            : QMessageBox::Ok;
    }
    TAnswerFn answer = std::move(state.answers.front());
    state.answers.pop_front();
    return answer(request);
  }
  QMessageBox box(request.icon, request.caption, request.text, request.buttons, parent);
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  if (request.defaultButton != QMessageBox::NoButton) box.setDefaultButton(request.defaultButton);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer) {
  State().answers.push_back([answer](const TMessageRequest&) { return answer; });
}

void MessageBox::setNextAnswer(TAnswerFn answer) { State().answers.push_back(std::move(answer)); }

const std::vector<TMessageRequest>& MessageBox::asked() { return State().asked; }

void MessageBox::clearAsked() { State().asked.clear(); }

QString FileDialog::GetSaveFileName(QWidget* parent, const TSaveDialogRequest& request) {
  TTestState& state = State();
  if (state.on) {
    state.dialogs.push_back(request);
    if (state.fileNames.empty()) return QString();
    QString path = state.fileNames.front();
    state.fileNames.pop_front();
    return path;
  }
  QFileDialog dialog(parent, request.title, QString(), request.filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  dialog.setSizeGripEnabled(true);
  dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

void FileDialog::setNextFileName(const QString& path) { State().fileNames.push_back(path); }

const std::vector<TSaveDialogRequest>& FileDialog::asked() { return State().dialogs; }

void FileOpener::Open(const QString& path) {
  if (State().on) {
    State().opened.append(path);
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

const QStringList& FileOpener::opened() { return State().opened; }
