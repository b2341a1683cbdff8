// How the Find dialog's callers look a text up in their lists.
#pragma once

#include "framework/Text.h"

#include <string>
#include <vector>

// The first item that begins with the text (letter case ignored by the rule), looking from the item after start to the
// end, then from the top, and last at start itself. A start of -1, or beyond the end, looks from the top.
// The index found, or -1.
int SearchList(const std::vector<std::string>& items, const std::string& text, int start, SameTextRule same);
