// Files read and written whole: read into memory up to a size limit, and
// replaced so that a reader finds the old file or the new one, never half
// of either.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace coverhall {

// The whole file, refused when it is empty or larger than maxBytes.
HRESULT readWholeFile(const char* path, std::size_t maxBytes, std::vector<uint8_t>& out);

// Bytes written beside their target under a temporary name, then moved into
// place; removed again when they never were. The temporary name is one per
// thread: two cover workers may write at once, and one left by a crash is
// overwritten by that thread's next write.
class StagedFile {
  public:
    StagedFile() = default;
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Writes the whole of bytes to the temporary file in path's folder: it
    // fails, and leaves nothing, where that folder cannot take the file.
    HRESULT write(const char* path, const std::vector<uint8_t>& bytes);
    // Moves the written file to path; over a file there only when replace
    // is set, else that fails and the written file stays staged.
    HRESULT commit(bool replace);

  private:
    std::string path_;
    std::string temporary_;  // empty when nothing waits
};

// The temporary file of the calling thread in path's folder.
std::string stagingPathFor(const char* path);

// Writes bytes to a temporary file in path's folder and moves it over path.
HRESULT replaceWholeFile(const char* path, const std::vector<uint8_t>& bytes);

}  // namespace coverhall
