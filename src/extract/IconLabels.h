#pragma once
#include "Unicommon/Text.h"

// The code page 932 label of a shop feature icon code, empty when the code is unknown.
// Codes match whole and exactly.
Text IconCodeToLabel(const Text& code);
