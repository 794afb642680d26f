// Bitmap resources of the plug-in's own module.
#pragma once

#include <windows.h>

#include "win/win_handles.h"

// The module that holds this code, found from an address inside it, so that
// a renamed file, and programs that link the code directly, still find their
// bitmaps.
HMODULE moduleOfThisCode();

// g_moduleHandle once start has set it, otherwise moduleOfThisCode().
HMODULE bitmapModule();

// Bitmap resource id at width x height as a DIB section; empty when missing.
coverhall::UniqueBitmap loadBitmapResource(HMODULE module, int id, int width, int height);
