// The WIC factory that a thread decodes its images with. Each thread that
// decodes (a cover worker, a test, a tool) holds one ImagingScope for as
// long as it decodes: WIC objects are made from its own factory, in its own
// COM apartment.
#pragma once

#include <wincodec.h>

#include "win/com_apartment.h"
#include "win/win_handles.h"

class ImagingScope {
  public:
    // Enters COM in `model` and makes the factory (traced when WIC cannot
    // be had; images then fail to load).
    explicit ImagingScope(DWORD model = COINIT_APARTMENTTHREADED);
    ~ImagingScope();
    ImagingScope(const ImagingScope&) = delete;
    ImagingScope& operator=(const ImagingScope&) = delete;

  private:
    ComApartment apartment_;
    coverhall::ComPtr<IWICImagingFactory> factory_;
    IWICImagingFactory* outer_;  // a scope further out on the thread
};

// The calling thread's factory; null outside an ImagingScope. Borrowed.
IWICImagingFactory* imagingFactory();
