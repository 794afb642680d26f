#include "plugin/help_file.h"

#include <shellapi.h>

#include <cstring>

#include "win/plugin_globals.h"

namespace {

constexpr char kHelpFileName[] = "ReadMeCoverhall.txt";

// The guide's full path, or false when the folder is unknown or the path
// would not fit.
bool helpFilePath(char (&path)[kPathSize]) {
    const size_t folderLength = strnlen(g_pluginFolder, kPathSize);
    if (folderLength == 0 || folderLength + sizeof(kHelpFileName) > kPathSize) return false;
    memcpy(path, g_pluginFolder, folderLength);
    memcpy(path + folderLength, kHelpFileName, sizeof(kHelpFileName));
    return true;
}

bool isFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void openHelpFile(HWND owner) {
    char path[kPathSize];
    // The full path is handed to the shell rather than the bare name, so
    // that no other file of that name on the search path can be opened.
    const bool opened = helpFilePath(path) && isFile(path) &&
                        reinterpret_cast<INT_PTR>(ShellExecuteA(
                            nullptr, "open", path, "", g_pluginFolder, SW_SHOWNORMAL)) > 32;
    if (!opened)
        MessageBoxA(owner && IsWindow(owner) ? owner : nullptr,
                    "The help file 'ReadMeCoverhall.txt' does not exist.",
                    "Show Coverhall Help File", MB_ICONWARNING);
}
