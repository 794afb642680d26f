// What the file system says of a file without opening it: its last-write
// time and size, the stamp by which covers and caches tell whether a file
// changed.
#pragma once

#include <windows.h>

#include <cstdint>

// Two 32-bit halves of a file time or size as one number.
inline uint64_t joinWords(DWORD high, DWORD low) {
    return static_cast<uint64_t>(high) << 32 | low;
}
inline uint64_t fileTimeValue(const FILETIME& time) {
    return joinWords(time.dwHighDateTime, time.dwLowDateTime);
}

struct FileStamp {
    uint64_t time = 0;
    uint64_t size = 0;
    bool directory = false;
    bool operator==(const FileStamp& other) const {
        return time == other.time && size == other.size;
    }
};

// One attribute query; false when the path does not exist or cannot be read.
inline bool fileStamp(const char* path, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
    stamp.time = fileTimeValue(data.ftLastWriteTime);
    stamp.size = joinWords(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}
