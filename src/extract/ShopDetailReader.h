#pragma once
#include "Unicommon/Text.h"

class TMyThread;

// Reads one shop's detail page into a record line of the run's output file: fetches
// the page into the Temporary page file, waits 300 ms, scans it and writes the record.
void ReadShopDetail(TMyThread& worker, const Text& shopId);
