#include "launcher/LaunchJob.h"

#include "framework/Text.h"
#include "launcher/CommandText.h"

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
    std::string directory;
    if (program.find('\\') != std::string::npos)
        directory = FolderOf(program);
    else if (!system.FindFile(program, nullptr))
        directory = system.ReadAppPathWorkingDirectory(program).value_or(std::string());

    result.failure = JudgeOpen(system.Open({program, parameters, directory, request.showCommand, request.elevated}));
    if (result.failure == LaunchFailure::None && request.wantFullPath)
        system.FindFile(program, &result.fullPath);
    return result;
}
