#pragma once
// Reading a shop's detail page lines into a ShopRecord.
#include <atomic>

#include "Unicommon/StringList.h"
#include "extract/ShopRecord.h"

// Scans the page once from the top, filling record; stops early at the longitude input,
// or when terminated is set (polled after every line and inside look-ahead searches).
void ScanShopDetailPage(const TStringList& page, ShopRecord& record,
                        const std::atomic<bool>& terminated);

// Data table rows, called by the scan for line i.
// Label row: inner head of line i is "th>".
void HandleLabelRow(const TStringList& page, int i, ShopRecord& record,
                    const std::atomic<bool>& terminated);
// Value row: inner head of line i is "dd ".
void HandleValueRow(const TStringList& page, int i, ShopRecord& record);
