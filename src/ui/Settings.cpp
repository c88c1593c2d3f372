// The ticks of the prefecture list, kept in the settings file beside the program.
#include <QDir>
#include <QFileInfo>

#include "ui/FrmMain.h"
#include "ui/IniFile.h"

namespace {
const Text kSection = "Config";
const Text kKey = "Category";
}  // namespace

void TFrmMain::LoadSettings() {
  const QString path = SettingsPath();
  int current = 1;
  if (QFileInfo::exists(path)) {
    TIniFile ini(path);
    const Text value = ini.ReadString(kSection, kKey, "");
    int ticked = 0;
    if (!value.empty()) {
      int firstTicked = 0;
      for (int p = 1; p <= lstArea->count(); p++) {
        const bool on =
            p <= static_cast<int>(value.size()) && value[static_cast<size_t>(p - 1)] == '1';
        SetTicksByCode(p - 1, on);
        if (on) {
          ticked++;
          if (firstTicked == 0) firstTicked = p;
        }
      }
      if (firstTicked > 0) current = firstTicked;
    }
    // With the handler attached, so that the select-all handler runs as for a click.
    if (ticked == lstArea->count()) chkArea->setChecked(true);
  }
  if (lstArea->count() > 0) lstArea->setCurrentRow(current - 1);
}

void TFrmMain::SaveSettings() {
  const QString path = SettingsPath();
  if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) return;
  Text value;
  for (int row = 0; row < lstArea->count(); row++) {
    value += lstArea->item(row)->checkState() == Qt::Checked ? '1' : '0';
  }
  TIniFile ini(path);
  ini.WriteString(kSection, kKey, value);
}

// Saves the ticks; a failure is shown in the standard error box and goes no further,
// so that the program can always end.
void TFrmMain::SaveSettingsReportingFailure() {
  try {
    SaveSettings();
  } catch (const EIniFileError& error) {
    ShowException(this, error.Message());
  }
}
