#include "win/whole_file.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "win/debug_trace.h"
#include "win/win_handles.h"

namespace coverhall {

HRESULT readWholeFile(const char* path, std::size_t maxBytes, std::vector<uint8_t>& out) {
    UniqueFile file(CreateFileA(path, GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return lastErrorResult();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) return lastErrorResult();
    if (size.QuadPart <= 0) return HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    out.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < out.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), out.data() + done, static_cast<DWORD>(out.size() - done), &read,
                      nullptr)) {
            return lastErrorResult();
        }
        if (read == 0) return HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
        done += read;
    }
    return S_OK;
}

namespace {

HRESULT writeWholeFile(const char* path, const std::vector<uint8_t>& bytes) {
    UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return lastErrorResult();
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return lastErrorResult();
    return written == bytes.size() ? S_OK : HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
}

}  // namespace

std::string stagingPathFor(const char* path) {
    // In the target's folder, so that the move is a rename; no unique name
    // is asked for, which would cost a file created and closed first.
    const char* slash = std::strrchr(path, '\\');
    char name[32];
    std::snprintf(name, sizeof name, "qsc%08lx-%lx.tmp",
                  static_cast<unsigned long>(GetCurrentProcessId()),
                  static_cast<unsigned long>(GetCurrentThreadId()));
    return slash ? std::string(path, static_cast<std::size_t>(slash - path) + 1) + name : name;
}

StagedFile::~StagedFile() {
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
}

HRESULT StagedFile::write(const char* path, const std::vector<uint8_t>& bytes) {
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
    temporary_.clear();
    path_ = path;
    std::string temporary = stagingPathFor(path);
    const HRESULT result = writeWholeFile(temporary.c_str(), bytes);
    if (FAILED(result)) {
        DeleteFileA(temporary.c_str());
        return result;
    }
    temporary_ = std::move(temporary);
    return S_OK;
}

HRESULT StagedFile::commit(bool replace) {
    if (temporary_.empty()) return E_UNEXPECTED;
    if (!MoveFileExA(temporary_.c_str(), path_.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0))
        return lastErrorResult();
    temporary_.clear();
    return S_OK;
}

HRESULT replaceWholeFile(const char* path, const std::vector<uint8_t>& bytes) {
    StagedFile staged;
    const HRESULT result = staged.write(path, bytes);
    return SUCCEEDED(result) ? staged.commit(true) : result;
}

}  // namespace coverhall
