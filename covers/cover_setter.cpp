#include "covers/cover_setter.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "covers/cover_image.h"
#include "covers/cover_rank.h"
#include "covers/file_names.h"
#include "covers/files_set_aside.h"
#include "covers/image_encoder.h"
#include "covers/image_header.h"
#include "covers/packed_dib.h"
#include "win/debug_trace.h"
#include "win/whole_file.h"
#include "win/win_handles.h"

using Result = SetCoverOutcome::Result;

namespace {

// The picture, decoded once to prove it can be shown.
struct Picture {
    std::vector<uint8_t> file;  // the source file's bytes; empty for a bitmap
    ImageFormat format = kFormatNone;
    CoverPixels pixels;
};

bool readPicture(const CoverSource& source, Picture& out) {
    std::vector<uint8_t> bytes;
    const char* name = source.file.c_str();
    if (!source.file.empty()) {
        const HRESULT result = coverhall::readWholeFile(name, kMaxImageFileBytes, bytes);
        if (FAILED(result)) {
            coverhall::traceFailure("cannot read", name, result);
            return false;
        }
        // A header that is no image's fails the decode below, which says so.
        ImageHeader header;
        readImageHeader(bytes.data(), bytes.size(), header);
        out.format = header.format;
        out.file = bytes;
    } else {
        bytes = bmpFileOfPackedDib(source.packedDib.data(), source.packedDib.size());
        name = "a pasted bitmap";
        out.format = kFormatJpg;  // a bitmap is written as folder.jpg
    }
    CoverImage image;
    if (!image.loadBytes(std::move(bytes), name)) return false;
    out.pixels = image.takePixels();
    return !out.pixels.empty();
}

bool equalsIgnoringCase(const std::string& a, const char* b) {
    return lstrcmpiA(a.c_str(), b) == 0;
}

bool isFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A bare file name the rule reads as an image: no folder, drive, stream or
// character that Windows refuses in a name.
bool isWritableImageName(const std::string& name) {
    if (formatOfName(name.c_str()) == kFormatNone) return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::strchr("\\/:*?\"<>|", c)) return false;
    }
    return true;
}

// folder.jpg, folder.PNG, Folder.jpeg: the names that outrank every other.
bool isFolderImage(const char* name) {
    const char* dot = std::strrchr(name, '.');
    return dot && dot - name == 6 && _strnicmp(name, "folder", 6) == 0 &&
           hasCoverImageExtension(name);
}

struct Target {
    std::string name;
    bool folderImage = false;  // folder.<ext>, the rule's search finds it first
    bool imageNameUnusable = false;
};

Target targetFor(const char* folder, const CoverRule& rule, ImageFormat format) {
    const int mode = rule.mode == AnyImage || rule.mode == NamedImage ? rule.mode : NamedThenAny;
    // Mode 2 looks for the Image Name first where it names an image that
    // exists; the search comes only after.
    bool named = mode == NamedImage;
    char path[kCoverPathSize];
    if (mode == NamedThenAny && formatOfName(rule.imageName.c_str()) != kFormatNone &&
        joinPath(folder, rule.imageName.c_str(), path)) {
        named = isFile(path);
    }
    Target target;
    if (named && isWritableImageName(rule.imageName)) {
        target.name = rule.imageName;
        return target;
    }
    target.imageNameUnusable = named;
    target.folderImage = true;
    // By format code.
    static const char* const kFolderNames[] = {"folder.jpg", "folder.bmp", "folder.gif",
                                               "folder.jpg", "folder.png"};
    target.name = kFolderNames[format >= kFormatBmp && format <= kFormatPng ? format : 0];
    return target;
}

bool holdsExactly(const char* path, const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> held;
    return SUCCEEDED(coverhall::readWholeFile(path, bytes.size(), held)) && held == bytes;
}

// The files of the folder that stand in the way of the target: its own name
// in any case (unless it already holds exactly these bytes), and for
// folder.<ext> every other folder.* image. False when the folder cannot be
// listed or a folder bears the target's name.
bool filesInTheWay(const char* folder, const Target& target, const std::vector<uint8_t>& bytes,
                   std::vector<std::string>& out, bool& unchanged) {
    unchanged = false;
    char pattern[kCoverPathSize];
    if (!joinPath(folder, "*", pattern)) return false;
    WIN32_FIND_DATAA entry;
    coverhall::UniqueFind find(FindFirstFileA(pattern, &entry));
    if (!find) return false;
    do {
        entry.cFileName[sizeof entry.cFileName - 1] = '\0';
        const char* name = entry.cFileName;
        const bool isTarget = equalsIgnoringCase(target.name, name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (isTarget) return false;
            continue;
        }
        if (isTarget) {
            char path[kCoverPathSize];
            if (joinPath(folder, name, path) && holdsExactly(path, bytes)) {
                unchanged = true;
                continue;
            }
        } else if (!target.folderImage || !isFolderImage(name)) {
            continue;
        }
        out.emplace_back(name);
    } while (FindNextFileA(find.get(), &entry));
    // A fixed order, whatever the listing's: the name itself, then the rest.
    std::sort(out.begin(), out.end(), [&target](const std::string& a, const std::string& b) {
        const bool targetA = equalsIgnoringCase(target.name, a.c_str());
        const bool targetB = equalsIgnoringCase(target.name, b.c_str());
        return targetA != targetB ? targetA : lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return true;
}

// Stages the new file, sets aside what is in its way, then moves it into
// place; whatever fails undoes what went before.
HRESULT writeCover(const char* folder, const Target& target, const std::vector<uint8_t>& bytes,
                   SetCoverOutcome& outcome) {
    char path[kCoverPathSize];
    const DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    if (!joinPath(folder, target.name.c_str(), path))
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    std::vector<std::string> inTheWay;
    bool unchanged = false;
    if (!filesInTheWay(folder, target, bytes, inTheWay, unchanged))
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);

    // Written in full first: a folder that is read-only, full or refuses the
    // file fails here, before anything of the user's is touched.
    coverhall::StagedFile staged;
    HRESULT result = unchanged ? S_OK : staged.write(path, bytes);
    FilesSetAside aside(folder);
    for (const std::string& name : inTheWay) {
        if (SUCCEEDED(result)) result = aside.setAside(name);
    }
    if (FAILED(result)) return result;
    outcome.written = target.name;
    outcome.setAside = aside.moved();
    if (!unchanged) result = staged.commit(false);
    if (FAILED(result)) {
        outcome.written.clear();
        outcome.setAside.clear();
        return result;
    }
    aside.keep();
    return S_OK;
}

}  // namespace

SetCoverOutcome setAlbumCover(const char* folder, const CoverRule& rule,
                              const CoverSource& source) {
    SetCoverOutcome outcome;
    const char* subject = folder ? folder : "";
    try {
        if (!folder || !*folder) {
            outcome.result = Result::NotWritable;
            return outcome;
        }
        Picture picture;
        if (!readPicture(source, picture)) return outcome;
        const Target target = targetFor(folder, rule, picture.format);
        outcome.imageNameUnusable = target.imageNameUnusable;
        const ImageFormat format = formatOfName(target.name.c_str());
        const std::vector<uint8_t> bytes = picture.format == format && !picture.file.empty()
                                               ? std::move(picture.file)
                                               : encodeImage(picture.pixels, format);
        if (bytes.empty()) return outcome;
        outcome.result = Result::NotWritable;
        const HRESULT result = writeCover(folder, target, bytes, outcome);
        if (FAILED(result)) {
            coverhall::traceFailure("cannot set the cover of", subject, result);
            return outcome;
        }
        outcome.result = Result::Set;
    } catch (...) {
        coverhall::traceCurrentException("cannot set the cover of", subject);
        outcome.written.clear();
        outcome.setAside.clear();
    }
    return outcome;
}
