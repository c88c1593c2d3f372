#pragma once
// A window pointed at the local test portal, with helpers to serve pages and to start
// and wait for a run.
#include <QString>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "support/TestPortal.h"

class TRunFixture {
 public:
  // reachable: false points the window at an address where nothing listens.
  explicit TRunFixture(bool reachable = true);

  TestPortal portal;
  TWindow w;

  // Serves prefecture area's listing page with the given shops, each with a detail page.
  void PutArea(int area, const std::vector<std::string>& shopIds);
  // Ticks the rows of the given prefecture numbers, presets the save dialog's answer
  // and presses the start button. False when the window did not come up.
  bool Start(const std::vector<int>& areas, const QString& fileName);
  QString OutputPath() const { return w.Folder() + "out.csv"; }
  // Waits until the run has ended and the window is idle again.
  bool WaitUntilIdle() const;
  bool IsBusy() const;
  // Paths of the portal requests so far.
  std::vector<std::string> RequestedPaths() const;

 private:
  bool FReachable;
};

// The lines of a CR LF text file.
QList<QByteArray> CsvLines(const QString& path);
