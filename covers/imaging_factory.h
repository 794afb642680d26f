// The one WIC factory that every image is made with: made on first use and
// kept until the plug-in stops, so a thumbnail does not pay for a factory of
// its own. Covers are decoded on one thread (the window thread), which is
// the thread the factory belongs to.
#pragma once

#include <wincodec.h>

// The factory, after entering the calling thread's COM apartment; null when
// WIC cannot be had (traced). Borrowed: valid until releaseImaging.
IWICImagingFactory* imagingFactory();

// Releases the factory and leaves the calling thread's COM apartment; the
// plug-in's stop calls it on the window thread once nothing decodes.
void releaseImaging();
