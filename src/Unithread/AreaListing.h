#pragma once
// Reading a prefecture's listing page: the stated shop count and the shop identifiers.
#include <atomic>
#include <cstdint>

#include "Unicommon/StringList.h"
#include "Unicommon/Text.h"

// The shop count the page states, 0 when none is found. Digit-group commas are
// accepted ("1,234件" is 1234). Stops early when terminated is set.
int32_t ReadStatedShopTotal(const TStringList& page, const std::atomic<bool>& terminated);

// True when line i is a shop heading.
bool IsShopHeading(const TStringList& page, int i);

// The identifier cut from the line below the heading at line i: the text between the
// first "/" after the first "_" and the next "/". Empty when it cannot be cut.
Text CutShopId(const TStringList& page, int headingLine);
