// The history log: a plain text copy of the history for the user, CR LF line ends, no byte-order mark.
#pragma once

#include "framework/ProfileStore.h"
#include "history/MRUComboBox.h"

#include <string>
#include <vector>

// "[Velquin History]", an empty line, then "File #n: text" per entry, newest first.
std::string HistoryLogText(const std::vector<std::string>& entries);
// What the file holds before anything was launched.
std::string PlaceholderLogText();

// Replaces the file's content; false when it could not be written (nobody is told).
bool WriteLogFile(const std::string& path, const std::string& content);

// Rewrites the log file from the drop-down list when the user keeps one.
void KeepHistoryLog(const CMRUComboBox& history, ProfileStore& profile);
