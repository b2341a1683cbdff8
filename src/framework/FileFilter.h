// File-dialog filters are written as "Name|patterns|Name|patterns||"; the system wants zeros.
#pragma once

#include <string>

// Every '|' becomes a zero byte, so "All Files|*.*||" ends in the double zero the dialog needs.
std::string FilterFromBars(const std::string& filter);
