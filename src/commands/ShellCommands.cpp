#include "commands/ShellCommands.h"

#include "text/CommandText.h"

#include "res/resource.h"

const ProgramCommand kProgramCommands[9] = {
    {ID_PROGRAMS_DEFRAG, "defrag", "There was a failure launching Disk Defragmenter."},
    {ID_PROGRAMS_EXPLORER, "explorer", ""},
    {ID_PROGRAMS_PAINT, "mspaint", "There was a failure launching Paint."},
    {ID_PROGRAMS_SCANDISK, "scandskw", "There was a failure launching Scandisk."},
    {ID_PROGRAMS_SYSINFO, "MSINFO32", "There was a failure launching System Information."},
    {ID_PROGRAMS_NOTEPAD, "notepad", "There was a failure launching Notepad."},
    {ID_PROGRAMS_REGEDIT, "regedit", ""},
    {ID_PROGRAMS_WORDPAD, "wordpad", "There was a failure launching Wordpad."},
    {ID_PROGRAMS_WRITE, "write", "There was a failure launching Write."},
};

const FolderCommand kFolderCommands[9] = {
    {ID_FOLDERS_DESKTOP, FolderSource::ShellFolder, "Desktop", HideStep::BeforeOpening},
    {ID_FOLDERS_FAVORITES, FolderSource::ShellFolder, "Favorites", HideStep::BeforeOpening},
    {ID_FOLDERS_HISTORY, FolderSource::ShellFolder, "History", HideStep::BeforeOpening},
    {ID_FOLDERS_MY_DOCUMENTS, FolderSource::ShellFolder, "Personal", HideStep::BeforeOpening},
    {ID_FOLDERS_PROGRAMS, FolderSource::ShellFolder, "Programs", HideStep::BeforeOpening},
    {ID_FOLDERS_RECENT, FolderSource::ShellFolder, "Recent", HideStep::BeforeOpening},
    {ID_FOLDERS_START_MENU, FolderSource::ShellFolder, "Start Menu", HideStep::BeforeOpening},
    {ID_FOLDERS_SYSTEM, FolderSource::SystemDirectory, "", HideStep::AfterOpening},
    {ID_FOLDERS_WINDOWS, FolderSource::WindowsDirectory, "", HideStep::None},
};

const SessionCommand kSessionCommands[3] = {
    {ID_TOOLS_LOG_OFF, &SettingsRecord::PromptOnLogOff, "Are you sure you want to log off?", "Log Off Windows", 0},
    {ID_TOOLS_RESTART, &SettingsRecord::PromptOnRestart, "Are you sure you want to restart?", "Restart Windows",
     0x02 | 0x10},  // EWX_REBOOT | EWX_FORCEIFHUNG
    {ID_TOOLS_SHUTDOWN, &SettingsRecord::PromptOnShutDown, "Are you sure you want to shutdown?", "Shutdown Windows",
     0x08 | 0x10},  // EWX_POWEROFF | EWX_FORCEIFHUNG
};

const char* const kBrowseFilter =
    "Programs|*.exe;*.bat;*.com;*.dll|Compessed Files|*.zip;*.tar;*.gz;*.arj|Images|*.jpg;*.gif;*.bmp;*.png;*.ico;"
    "*.dib|Internet Documents|*.htm;*.html;*.shtml;*.url;*.pdf|Microsoft Office Documents|*.doc;*.ppt;*.dot;*.xls;"
    "*.mdb;*.xlc;*.msg;*.oft;*.rtf|Media Files|*.ram;*.rmm;*.ra;*.rmd;*.wav;*.mp3;*.mpeg;*.avi;*.mid;*.midi;*.swf|"
    "All Files |*.*||";

std::string BrowseStartFolder(const std::string& lastFile, const std::string& fallback)
{
    return lastFile.empty() ? fallback : FolderOf(lastFile);
}

std::string RunHistoryCommand(const std::string& value)
{
    const size_t slash = value.rfind('\\');
    return slash == std::string::npos ? std::string() : value.substr(0, slash);
}
