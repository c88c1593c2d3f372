#pragma once
// The user agent each page request announces, picked in a fixed pseudo-random order.
#include "Unicommon/Text.h"

// Advances the process-wide agent seed and returns the agent it selects.
// Safe to call from any thread; concurrent calls each take their own step.
Text PickUserAgent();
