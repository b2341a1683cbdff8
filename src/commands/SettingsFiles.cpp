#include "commands/SettingsFiles.h"

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/ProfileFile.h"
#include "framework/Unicode.h"
#include "settings/ProfileLayout.h"

#include <ctime>

using namespace profile;

namespace {

constexpr const char* kSettingsFilter = "Settings Files (*.ini)|*.ini|All Files (*.*)|*.*||";

FileDialogRequest RequestFor(HWND owner, const ProfileStore& profile, const char* title, DWORD flags)
{
    FileDialogRequest request;
    request.owner = owner;
    request.title = title;
    request.filter = kSettingsFilter;
    request.defaultExtension = "ini";
    request.fileName = profile.ReadString(kFolders, kProfileFile, "Velquin settings.ini");
    request.flags = flags | OFN_HIDEREADONLY;
    return request;
}

void Tell(HWND owner, const TransferOutcome& outcome)
{
    ShowMessageBox(owner, outcome.said, "Velquin",
                   outcome.exitCode == kTransferDone ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
}

}  // namespace

TransferFiles SystemTransferFiles()
{
    TransferFiles files;
    files.read = [](const std::string& path, std::string& why) {
        unsigned long error = 0;
        std::optional<std::string> bytes = ReadFileBytes(path, &error);
        if (!bytes)
            why = SystemErrorText(error);
        return bytes;
    };
    files.write = [](const std::string& path, const std::string& bytes, std::string& why) {
        unsigned long error = 0;
        if (WriteFileBytes(path, bytes, &error))
            return true;
        why = SystemErrorText(error);
        return false;
    };
    return files;
}

void ExportSettings(HWND owner, ProfileStore& profile)
{
    FileDialogChoice choice;
    if (!RunSaveFileDialog(RequestFor(owner, profile, "Export Settings", OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST),
                           choice))
        return;
    profile.WriteString(kFolders, kProfileFile, choice.path);
    Tell(owner, ExportProfileTo(profile, choice.path, SystemTransferFiles()));
}

bool ImportSettings(HWND owner, ProfileStore& profile)
{
    FileDialogChoice choice;
    if (!RunOpenFileDialog(RequestFor(owner, profile, "Import Settings", OFN_FILEMUSTEXIST), choice))
        return false;
    profile.WriteString(kFolders, kProfileFile, choice.path);
    const std::string question = "Velquin's settings, aliases and hidden lines become those of '" + choice.path +
                                 "', and its history and learning are added to yours.  Import it?";
    if (ShowMessageBox(owner, question, "Import Settings", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    const auto now = static_cast<std::int64_t>(std::time(nullptr));
    const TransferOutcome outcome =
        ImportProfileFrom(profile, choice.path, SystemTransferFiles(), SameTextIgnoringCase, now);
    Tell(owner, outcome);
    return outcome.exitCode == kTransferDone || outcome.exitCode == kTransferNotSaved;
}
