// readSongPicture on any bytes, through TagLib (built with the fuzzer's
// instrumentation): once with the format found by content, once as the
// format of an extension chosen by the input's size, so every format's
// reader meets every kind of input. No crash, no read outside the data, and
// a picture is never larger than the limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>

#include "covers/song_picture.h"

namespace {

const char* const kNames[] = {"a.mp3", "a.flac", "a.m4a", "a.ogg", "a.opus", "a.spx", "a.oga",
                              "a.wma", "a.ape",  "a.wv",  "a.mpc", "a.tta",  "a.wav", "a.aiff"};

void check(const uint8_t* data, std::size_t size, const char* name) {
    if (readSongPicture(data, size, name).size() > kMaxSongPictureBytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    check(data, size, "song");
    check(data, size, kNames[size % std::size(kNames)]);
    return 0;
}
