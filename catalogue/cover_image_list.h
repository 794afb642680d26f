// The cover image list that every catalogue owns. Its contents are made by the
// platform side (covers/), which passes a factory to the catalogue's
// constructor, so this folder needs no Windows header.
#pragma once

#include <memory>

class CoverImageList {
  public:
    virtual ~CoverImageList() = default;
};

// Makes the image list of a catalogue whose covers have this edge in pixels.
using CoverImageListFactory = std::unique_ptr<CoverImageList> (*)(int edge);
