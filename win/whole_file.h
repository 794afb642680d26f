// Files read and written whole: read into memory up to a size limit, and
// replaced so that a reader finds the old file or the new one, never half
// of either.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace coverhall {

// The whole file, refused when it is empty or larger than maxBytes.
HRESULT readWholeFile(const char* path, std::size_t maxBytes, std::vector<uint8_t>& out);

// Writes bytes to a temporary file in path's folder and moves it over path.
// The temporary name is one per thread: two cover workers may write at
// once, and one left by a crash is overwritten by that thread's next write.
HRESULT replaceWholeFile(const char* path, const std::vector<uint8_t>& bytes);

}  // namespace coverhall
