// Showing a song in its folder in the file manager. The views ask through
// g_folderOpener, so that tests put a recorder in its place and never open
// a real file manager.
#pragma once

#include <string>

// Opens folder in the file manager with file selected in it; an empty file
// opens the folder alone.
using FolderOpener = void (*)(const std::string& folder, const std::string& file);

// Explorer with "/select,", or the folder alone.
void openInExplorer(const std::string& folder, const std::string& file);

// openInExplorer unless a test replaced it.
extern FolderOpener g_folderOpener;
