#pragma once
// The program's only window: the prefecture list with its select-all box, the start
// and cancel buttons, two status lines and the progress bar. It starts and ends runs
// and hosts the worker's synchronous calls.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <atomic>
#include <cstdint>

#include "Unithread/RunConfig.h"
#include "Unithread/RunHost.h"
#include "ui/Dialogs.h"

class TMyThread;

// The run-control state of the window (see RunStatus).
enum TRunStatus : int32_t {
  rsNormal = 0,         // a run is under way; after it: at least one record written
  rsNoShops = 1,        // the run ended without writing a record
  rsCancelled = 2,      // the user cancelled the run
  rsRunFailed = 3,      // the run broke off: an unexpected error, or no page could be stored
  rsOutputFailed = 4,   // the output file could not be created or written
  rsQuitRequested = 5,  // a close was confirmed; the worker has not been told yet
  rsQuitPending = 6,    // the worker was told to stop for a close
  rsAccessFailed = 9,   // the portal could not be reached
};

class TFrmMain : public QWidget, public TRunHost {
  Q_OBJECT

 public:
  explicit TFrmMain(QWidget* parent = nullptr);
  ~TFrmMain() override;

  // Controls, named as the handlers refer to them.
  QLabel* lblStatus;
  QLabel* lblStatus2;
  QPushButton* btnAction;
  QPushButton* btnCancel;
  QCheckBox* chkArea;
  QListWidget* lstArea;
  QProgressBar* prgBar;
  TSaveDialogRequest saveDlg;

  // The worker this window started, or null; only the GUI thread touches it.
  TMyThread* FThread = nullptr;
  bool FTaskbarReady = false;
  QString FSaveFileName;

  // The folder (ending in "/") that holds the settings file and the Temporary page
  // file: the program's own folder unless set otherwise.
  QString ProgramFolder() const;
  void SetProgramFolder(const QString& folder);
  QString SettingsPath() const;

  void FormCreate();
  void chkAreaClick();
  void lstAreaClickCheck();
  void LoadSettings();
  void SaveSettings();

  void btnActionClick();
  void btnCancelClick(const void* Sender);
  void FinishRun(uint32_t status);
  void FormCloseQuery(bool& CanClose);

  // The worker's synchronous calls run here, on the GUI thread.
  void Synchronize(const std::function<void()>& call) override;
  void HostSetupProgress(int32_t areaCount) override;
  void HostStepProgress() override;
  void HostShowAreaStatus(int32_t area) override;
  void HostShowShopStatus(int32_t shopCount, int32_t shopTotal) override;
  void HostRunEnd(TMyThread* sender) override;

  // Lets a worker that is still alive go without touching the window again, and waits
  // until it has gone. Called at program end; the window then serves no more calls.
  void ReleaseWorkers();

  // The run configuration for the ticks and the output file now set.
  TRunConfig BuildRunConfig() const;

 signals:
  // The program is to end (after a close requested during a run).
  void EndRequested();

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void CreateControls();
  void AttachChkAreaClick();
  void SetTicksByCode(int row, bool ticked);
  void SetStatusCaption(QLabel* label, const QString& text);
  void SaveSettingsReportingFailure();
  QMessageBox::StandardButton Show(const TMessageRequest& request);

  QString FProgramFolder;
  QMetaObject::Connection FChkAreaClick;
  bool FTicksByCode = false;
  int FProgressStep = 1;
  bool FCursorOverridden = false;
  std::atomic<bool> FShutDown{false};
  std::atomic<int> FSyncInFlight{0};
};

extern TFrmMain* FrmMain;
extern int32_t RunStatus;

// The output path for what the user typed in the save dialog: ".csv" is appended
// unless the name already ends in ".csv" (letter case ignored).
QString WithCsvExtension(const QString& path);

// Shows an error that reached the top of the program in the standard error box.
void ShowException(QWidget* parent, const QString& message);
