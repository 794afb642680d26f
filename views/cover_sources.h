// Where a picture the user sets as an album's cover comes from: the
// clipboard (an image file copied in Explorer, or a bitmap as a browser's
// "Copy image" gives), a drop of files from Explorer, or the system's file
// dialog. Only what is read here runs on the window thread; the picture is
// checked and written by the cover engine.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>

#include "covers/cover_job.h"

// Whether the clipboard holds a bitmap, or copied files among which is a
// picture.
bool clipboardHoldsCover(HWND owner);
// That picture, copied out of the clipboard; none when it holds none.
std::optional<CoverSource> coverFromClipboard(HWND owner);
// The first dropped file with an image extension; none without one.
std::optional<CoverSource> coverFromDrop(HDROP drop);
// A picture file chosen in the system's dialog, which starts in `folder`;
// none when cancelled.
std::optional<CoverSource> chooseCoverFile(HWND owner, const char* folder);
