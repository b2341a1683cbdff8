// A profile's file on disk, read whole and written whole, never left half written.
#pragma once

#include <optional>
#include <string>

// The file's bytes; nothing when it is missing or cannot be read, the system's error in *error.
std::optional<std::string> ReadFileBytes(const std::string& path, unsigned long* error = nullptr);

// Afterwards the file holds exactly these bytes, or else what it held before (false, the system's error in
// *error). They go to a temporary file beside it, flushed, which then takes its place. A file with more than
// one name (a hard link, as a package manager keeps a persisted file) is rewritten in place instead, so that
// every name still shows it.
bool WriteFileBytes(const std::string& path, const std::string& bytes, unsigned long* error = nullptr);
