// A profile carried to another machine: all of it but what belongs to this one (the window's place, the
// file dialogs' folders), in the portable file's form; and such a file read into a profile.
#pragma once

#include "framework/IniText.h"
#include "framework/ProfileStore.h"
#include "framework/Text.h"

#include <cstdint>
#include <functional>
#include <optional>

IniDocument ExportProfile(const ProfileStore& profile);

// Nothing when the file can be imported as it is; else its first value that cannot (a setting that should
// be a number and is not).
std::optional<IniProblem> CheckImport(const IniDocument& file);

struct ImportCounts {
    int settings = 0;
    int aliases = 0;
    int hidden = 0;
    int history = 0;  // entries after the merge
    int historyAdded = 0;  // of them, from the file
    int learning = 0;
    int learningAdded = 0;
    bool saved = true;  // false when the profile could not keep it
};

// In one batch: the settings (all but the program's own path), the aliases and the hidden lines become the
// file's. The history is this profile's entries, then the file's it lacks, up to the (new) capacity; the
// learning holds both, of one pair the higher score, at most the learning's own limit.
ImportCounts ImportProfile(ProfileStore& profile, const IniDocument& file, SameTextRule same, std::int64_t now);

// The files of a transfer, as the system reads and writes them; `why` says what went wrong.
struct TransferFiles {
    std::function<std::optional<std::string>(const std::string& path, std::string& why)> read;
    std::function<bool(const std::string& path, const std::string& bytes, std::string& why)> write;
};

// The command's exit codes.
inline constexpr int kTransferDone = 0;
inline constexpr int kTransferNoFile = 1;      // no file named, or it could not be read or written
inline constexpr int kTransferMalformed = 2;   // not a profile: nothing was changed
inline constexpr int kTransferRefused = 3;     // a running copy would write its own profile back over it
inline constexpr int kTransferNotSaved = 4;    // the profile could not keep what was imported

// What a transfer did or why it did nothing, in a sentence for the console or a message box.
struct TransferOutcome {
    int exitCode = kTransferDone;
    std::string said;
};

TransferOutcome ExportProfileTo(const ProfileStore& profile, const std::string& path, const TransferFiles& files);
// The whole file is checked before anything is written.
TransferOutcome ImportProfileFrom(ProfileStore& profile, const std::string& path, const TransferFiles& files,
                                  SameTextRule same, std::int64_t now);
