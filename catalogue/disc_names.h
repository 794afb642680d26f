// Folder names that hold one disc of a set ("CD1", "CD 2", "Disc 1",
// "Disk02", "Disc 3 - Live"), shared by the album grouping and the cover
// search. Platform-free; case never matters.
#pragma once

#include <cstdint>
#include <string_view>

// "cd", "disc" or "disk", then optional blanks, '_', '-' or '.', then a
// number, then nothing or anything that does not go on the word. Where the
// number may be missing, the bare word counts too ("cd" in "cd.jpg").
bool isDiscName(std::string_view name, bool numberRequired = true);

// The disc's number ("Disc 10" gives 10; numbers beyond what 32 bits hold
// give the largest), or -1 when the name is no disc name with a number.
int32_t discNumber(std::string_view name);

// The last name of a folder path and the path before it: D:\Set\CD1 gives
// "CD1" and D:\Set. A path without a backslash is a name with no parent.
std::string_view lastFolderName(std::string_view folder);
std::string_view parentFolder(std::string_view folder);

// The disc number of the folder that holds the file, or -1.
int32_t discOfFile(std::string_view fileName);
