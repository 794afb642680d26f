#include "views/folder_opener.h"

#include <windows.h>
#include <shellapi.h>

FolderOpener g_folderOpener = &openInExplorer;

void openInExplorer(const std::string& folder, const std::string& file) {
    // Explorer by its full path, so that no other program of that name on
    // the search path is started.
    char windows[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows) return;
    const std::string explorer = std::string(windows) + "\\explorer.exe";
    const std::string parameters = file.empty() ? "\"" + folder + "\"" : "/select,\"" + file + "\"";
    ShellExecuteA(nullptr, "open", explorer.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}
