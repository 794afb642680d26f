// The folder search for a cover image.
#pragma once

#include "covers/file_names.h"

// The first file of folder (one level, in listing order, directories
// skipped) whose extension is exactly "bmp", "jpg", "png" or "gif"; failing
// that the thumbnail cache's name when the folder holds it; else "". A
// folder that cannot be listed, or whose pattern does not fit, gives "".
char* findCoverImage(const char* folder, char (&nameOut)[kCoverPathSize]);
