#include "launch/LaunchJob.h"

#include "framework/Text.h"
#include "text/CommandText.h"

#include <optional>

namespace {

// The program's own folder, or else the folder of its App Paths entry.
std::string WorkingDirectory(const std::string& program, LaunchSystem& system)
{
    if (program.find('\\') != std::string::npos)
        return FolderOf(program);
    if (system.FindFile(program, nullptr))
        return std::string();
    return system.ReadAppPathWorkingDirectory(program).value_or(std::string());
}

}  // namespace

LaunchResult PerformLaunch(const LaunchRequest& request, LaunchSystem& system)
{
    const std::string& t = request.text;
    const CommandSplit split = SplitCommandText(
        t, t, [&](const std::string& pattern, std::string* fullPath) { return system.FindFile(pattern, fullPath); });

    LaunchResult result;
    result.typedLength = Utf16Offset(t, split.typedLength);
    // Failures name what the user typed: the quoted part of the text when there is one.
    result.displayName = split.program;
    const size_t q1 = t.find('"');
    const size_t q2 = t.rfind('"');
    if (q1 != std::string::npos && q2 > q1)
        result.displayName = t.substr(q1 + 1, q2 - q1 - 1);

    // Split first, then fill in %NAME% references: a value with blanks must not be split.
    const std::string program = system.ExpandReferences(split.program);
    const std::string parameters = system.ExpandReferences(split.parameters);
    // A shortcut is opened as itself, with no folder given: its own "Start in" folder applies.
    const bool shortcut = IsShortcutPath(program);
    const std::string directory = shortcut ? std::string() : WorkingDirectory(program, system);

    result.failure = JudgeOpen(
        system.Open({program, parameters, directory, request.showCommand, request.elevated, request.onWorker}));
    if (result.failure == LaunchFailure::None && request.wantFullPath) {
        const std::string entered = shortcut ? system.ShortcutTarget(program) : program;
        if (!entered.empty())
            system.FindFile(entered, &result.fullPath);
    }
    return result;
}

LaunchResult FailedLaunch(const LaunchRequest& request)
{
    constexpr unsigned long kInternalError = 1359;  // ERROR_INTERNAL_ERROR
    LaunchResult result;
    result.failure = LaunchFailure::SystemError;
    result.errorCode = kInternalError;
    result.displayName = request.text;
    return result;
}

bool LaunchMayWaitOnNetwork(const std::string& text, LaunchSystem& system)
{
    const auto mayWait = [&](const std::string& typed) {
        const std::string program = system.ExpandReferences(typed);
        if (MayWaitOnNetwork(program, system))
            return true;
        // The shell looks a bare name up in App Paths, as typed and with ".exe": its program, quoted or not,
        // and the folder it starts in.
        const bool bare = !program.empty() && program.find_first_of("\\/") == std::string::npos;
        std::string name = program;
        std::optional<std::string> entered;
        if (bare && !(entered = system.ReadAppPathProgram(name)))
            entered = system.ReadAppPathProgram(name += ".exe");
        return entered && (system.IsOnNetwork(ExaminedText(*entered, true)) ||
                           system.IsOnNetwork(system.ReadAppPathWorkingDirectory(name).value_or(std::string())));
    };
    const std::optional<std::string> shortcut = TypedShortcut(text);
    return mayWait(ExaminedText(text, false)) ||
           mayWait(SplitCommandText(text, text, [](const std::string&, std::string*) { return false; }).program) ||
           (shortcut && mayWait(*shortcut));
}

bool MayWaitOnNetwork(const std::string& examined, LaunchSystem& system)
{
    return system.IsOnNetwork(examined) ||
           (IsShortcutPath(examined) && system.IsOnNetwork(system.ShortcutTarget(examined)));
}

bool NamesExistingEntry(const std::string& examined, LaunchSystem& system)
{
    if (examined.empty() || !system.FindFile(examined, nullptr))
        return false;
    if (!IsShortcutPath(examined))
        return true;
    const std::string target = system.ShortcutTarget(examined);
    return !target.empty() && system.FindFile(target, nullptr);
}
