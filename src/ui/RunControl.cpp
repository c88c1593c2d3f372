// Starting, cancelling and ending a run, and holding back a close while one is under way.
#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include "Unicommon/CodePage.h"
#include "Unithread/MyThread.h"
#include "ui/FrmMain.h"
#include "ui/IniFile.h"
#include "ui/Messages.h"
#include "ui/TaskbarProgress.h"

int32_t RunStatus = rsNormal;

namespace {
const char* const kDefaultSaveName = "中古車店舗一覧.csv";
}  // namespace

QString WithCsvExtension(const QString& path) {
  const int nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
  const int dot = path.lastIndexOf(QLatin1Char('.'));
  const QString extension = dot >= nameStart ? path.mid(dot) : QString();
  if (extension.compare(QLatin1String(".CSV"), Qt::CaseInsensitive) == 0) return path;
  return path + QStringLiteral(".csv");
}

TRunConfig TFrmMain::BuildRunConfig() const {
  TRunConfig config;
  for (int row = 0; row < lstArea->count(); row++) {
    if (lstArea->item(row)->checkState() == Qt::Checked) config.areas.push_back(row + 1);
  }
  config.saveFileName = QFile::encodeName(FSaveFileName).toStdString();
  config.tempFile = QFile::encodeName(ProgramFolder() + QStringLiteral("tmp.dat")).toStdString();

  // An optional section names another portal (and a certificate to trust for it).
  TIniFile ini(SettingsPath());
  Text baseUrl = TextTrim(ini.ReadString("Portal", "BaseUrl", ""));
  while (!baseUrl.empty() && baseUrl.back() == '/') baseUrl.pop_back();
  config.baseUrl = baseUrl.empty() ? DefaultPortalBaseUrl() : baseUrl;
  const Text caFile = TextTrim(ini.ReadString("Portal", "CaFile", ""));
  if (!caFile.empty()) {
    QString path = QString::fromStdString(LocalToUtf8(caFile));
    if (QFileInfo(path).isRelative()) path = ProgramFolder() + path;
    config.caFile = QFile::encodeName(path).toStdString();
  }
  return config;
}

void TFrmMain::btnActionClick() {
  bool anyTicked = false;
  for (int row = 0; row < lstArea->count() && !anyTicked; row++) {
    anyTicked = lstArea->item(row)->checkState() == Qt::Checked;
  }
  if (!anyTicked) {
    Show(Msg::NoAreaSelected());
    return;
  }

  FSaveFileName = QString::fromUtf8(kDefaultSaveName);
  saveDlg.fileName = FSaveFileName;
  const QString chosen = FileDialog::GetSaveFileName(this, saveDlg);
  if (chosen.isEmpty()) return;
  FSaveFileName = WithCsvExtension(chosen);

  const QFileInfo existing(FSaveFileName);
  if ((existing.exists() || existing.isSymLink()) && !QFile::remove(FSaveFileName)) {
    Show(Msg::FileInUse());
    return;
  }

  RunStatus = rsNormal;
  if (!FCursorOverridden) QApplication::setOverrideCursor(Qt::BusyCursor);
  FCursorOverridden = true;

  chkArea->setEnabled(false);
  lstArea->setEnabled(false);
  btnAction->setEnabled(false);
  btnCancel->setEnabled(true);

  prgBar->setValue(0);
  prgBar->show();

  QPalette text = lblStatus->palette();
  text.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
  lblStatus->setPalette(text);
  SetStatusCaption(lblStatus, QStringLiteral("ページ情報を取得中..."));
  SetStatusCaption(lblStatus2, QString());
  repaint();

  if (!FThread) {
    auto* worker = new TMyThread(true, *this, BuildRunConfig());
    FThread = worker;
    worker->FreeOnTerminate = true;
    // Under way from here on: a cancel pressed before the worker's thread is running
    // must ask, not take the run for ended.
    FRunning = true;
    worker->Resume();
  }
}

void TFrmMain::btnCancelClick(const void* Sender) {
  const bool running = FRunning;
  // The worker's own end-of-run call, or a request that finds no worker left.
  const bool endCall = FThread == nullptr || Sender == FThread;

  if (!running && !endCall) {
    // The worker has left its run and its end-of-run call is on the way; that call
    // ends the run (a close confirmed meanwhile keeps its status for it).
    return;
  }
  if (RunStatus == rsNormal && !running) {
    FThread = nullptr;
    switch (FWorkerResult.load()) {
      case wrNoRecord:
        RunStatus = rsNoShops;
        break;
      case wrAccessFailed:
        RunStatus = rsAccessFailed;
        break;
      case wrOutputFailed:
        RunStatus = rsOutputFailed;
        break;
      case wrRunFailed:
        RunStatus = rsRunFailed;
        break;
      default:
        break;
    }
    FinishRun(static_cast<uint32_t>(RunStatus));
  } else if (RunStatus == rsNormal) {
    if (Show(Msg::ConfirmCancel()) != QMessageBox::Yes) return;
    RunStatus = rsCancelled;
    if (FThread) FThread->Terminate();
  } else if (!running) {
    FThread = nullptr;
    FinishRun(static_cast<uint32_t>(RunStatus));
  } else if (RunStatus == rsQuitRequested) {
    if (FThread) FThread->Terminate();
    RunStatus = rsQuitPending;
  }
  // Otherwise a stop is already pending: the worker finishes its step and its
  // end-of-run call ends the run; the window stays busy until then.
}

void TFrmMain::FinishRun(uint32_t status) {
  if (FCursorOverridden) {
    QApplication::restoreOverrideCursor();
    FCursorOverridden = false;
  }
  // A run stopped by the user or by a close still reports records it could not keep.
  if (status == rsCancelled || status == rsQuitRequested || status == rsQuitPending) {
    if (FWorkerResult == wrOutputFailed) Show(Msg::FileInUse());
    if (FWorkerResult == wrRunFailed) Show(Msg::RunBrokeOff());
  }
  switch (status) {
    case rsNormal:
      QApplication::beep();
      QApplication::alert(this, 0);
      if (Show(Msg::OfferOpenFile()) == QMessageBox::Yes) {
        if (QFileInfo::exists(FSaveFileName)) {
          FileOpener::Open(FSaveFileName);
        } else {
          Show(Msg::FileNotFound());
        }
      }
      break;
    case rsNoShops:
      Show(Msg::NoShopsFound());
      break;
    case rsOutputFailed:
      Show(Msg::FileInUse());
      break;
    case rsRunFailed:
      Show(Msg::RunBrokeOff());
      break;
    case rsQuitRequested:
    case rsQuitPending:
      btnCancel->setEnabled(false);
      SaveSettingsReportingFailure();
      emit EndRequested();
      return;
    case rsAccessFailed:
      Show(Msg::PortalUnreachable());
      break;
    default:
      break;
  }

  if (FTaskbarReady) SetTaskbarProgressState(tbpsNone);
  SetStatusCaption(lblStatus, QString());
  SetStatusCaption(lblStatus2, QString());
  prgBar->setValue(0);
  prgBar->hide();
  chkArea->setEnabled(true);
  lstArea->setEnabled(true);
  btnAction->setEnabled(true);
  btnCancel->setEnabled(false);
}

void TFrmMain::FormCloseQuery(bool& CanClose) {
  if (btnCancel->isEnabled()) {
    if (Show(Msg::ConfirmClose()) == QMessageBox::Yes) {
      RunStatus = RunStatus == rsQuitRequested ? rsQuitPending : rsQuitRequested;
      // The handler itself, as a click would run it: the button may already be
      // disabled if the run ended while the question was open.
      btnCancelClick(btnCancel);
    }
    CanClose = false;
  } else {
    SaveSettingsReportingFailure();
  }
}
