// A line for whoever started the program from a console: its output when it was given one (redirected to a
// file or a pipe), else the console of the process that started it, else nowhere.
#pragma once

#include <string>

void SayToConsole(const std::string& line);
