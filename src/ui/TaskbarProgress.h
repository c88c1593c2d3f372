#pragma once
// Progress on the program's launcher icon, for docks and panels that follow the
// launcher entry signal over the session bus. Each call does nothing when no such
// consumer was found.
#include <cstdint>

enum TTaskBarProgressState { tbpsNone, tbpsIndeterminate, tbpsNormal, tbpsError, tbpsPaused };

// Looks once for a desktop shell that shows launcher progress; true when one is there.
bool InitializeTaskbarAPI();
void SetTaskbarProgressState(TTaskBarProgressState state);
void SetTaskbarProgressValue(int64_t completed, int64_t total);
