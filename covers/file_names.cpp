#include "covers/file_names.h"

#include <cstring>

const char kCacheFileName[] = "Quillet_Small_Cache_Cover.bmp";

char* fileExtension(const char* name, char (&extOut)[kCoverPathSize]) {
    extOut[0] = '\0';
    if (!name) return extOut;
    const char* dot = std::strrchr(name, '.');
    if (!dot) return extOut;
    const char* ext = dot + 1;
    if (std::strpbrk(ext, "\\/.:*?")) return extOut;
    const std::size_t length = std::strlen(ext);
    if (length >= kCoverPathSize) return extOut;
    std::memcpy(extOut, ext, length + 1);
    return extOut;
}

ImageFormat formatOfExtension(const char* ext) {
    if (!ext) return kFormatNone;
    if (std::strcmp(ext, "bmp") == 0) return kFormatBmp;
    if (std::strcmp(ext, "gif") == 0) return kFormatGif;
    if (std::strcmp(ext, "jpg") == 0 || std::strcmp(ext, "jpeg") == 0 ||
        std::strcmp(ext, "jpe") == 0 || std::strcmp(ext, "jfif") == 0) {
        return kFormatJpg;
    }
    if (std::strcmp(ext, "png") == 0) return kFormatPng;
    return kFormatNone;
}

ImageFormat formatOfName(const char* name) {
    char ext[kCoverPathSize];
    fileExtension(name, ext);
    for (char* c = ext; *c; ++c) {
        if (*c >= 'A' && *c <= 'Z') *c = static_cast<char>(*c - 'A' + 'a');
    }
    return formatOfExtension(ext);
}

bool joinPath(const char* folder, const char* name, char (&out)[kCoverPathSize]) {
    out[0] = '\0';
    if (!folder || !name) return false;
    const std::size_t folderLength = std::strlen(folder);
    const std::size_t nameLength = std::strlen(name);
    if (folderLength + 1 + nameLength >= kCoverPathSize) return false;
    std::memcpy(out, folder, folderLength);
    out[folderLength] = '\\';
    std::memcpy(out + folderLength + 1, name, nameLength + 1);
    return true;
}
