#include "views/cover_sources.h"

#include <commdlg.h>

#include <string>

#include "covers/cover_rank.h"

namespace {

// Files of an Explorer copy or drop: the first whose name is an image's.
std::optional<CoverSource> firstImageFile(HDROP files) {
    const UINT count = DragQueryFileA(files, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(files, i, nullptr, 0);
        if (length == 0) continue;
        std::string name(length + 1, '\0');
        name.resize(DragQueryFileA(files, i, name.data(), length + 1));
        if (hasCoverImageExtension(name)) return CoverSource{name, {}};
    }
    return std::nullopt;
}

class ClipboardOpen {
  public:
    explicit ClipboardOpen(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardOpen() {
        if (open_) CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    explicit operator bool() const { return open_; }

  private:
    bool open_;
};

// The clipboard's packed DIB, copied: the memory stays the clipboard's.
std::optional<CoverSource> clipboardBitmap(UINT format) {
    HANDLE data = GetClipboardData(format);
    const SIZE_T size = data ? GlobalSize(data) : 0;
    const void* bytes = size ? GlobalLock(data) : nullptr;
    if (!bytes) return std::nullopt;
    CoverSource source;
    const auto* first = static_cast<const uint8_t*>(bytes);
    source.packedDib.assign(first, first + size);
    GlobalUnlock(data);
    return source;
}

}  // namespace

bool clipboardHoldsCover(HWND owner) {
    if (IsClipboardFormatAvailable(CF_DIBV5) || IsClipboardFormatAvailable(CF_DIB)) return true;
    if (!IsClipboardFormatAvailable(CF_HDROP)) return false;
    // Copied files count only when one of them is a picture.
    const ClipboardOpen clipboard(owner);
    HANDLE files = clipboard ? GetClipboardData(CF_HDROP) : nullptr;
    return files && firstImageFile(static_cast<HDROP>(files));
}

std::optional<CoverSource> coverFromClipboard(HWND owner) {
    const ClipboardOpen clipboard(owner);
    if (!clipboard) return std::nullopt;
    // Files first: Explorer may offer a bitmap of their icons beside them.
    if (HANDLE files = GetClipboardData(CF_HDROP)) {
        if (std::optional<CoverSource> file = firstImageFile(static_cast<HDROP>(files)))
            return file;
    }
    // The V5 header keeps the alpha and colour masks a browser's copy has.
    for (UINT format : {CF_DIBV5, CF_DIB}) {
        if (!IsClipboardFormatAvailable(format)) continue;
        if (std::optional<CoverSource> bitmap = clipboardBitmap(format)) return bitmap;
    }
    return std::nullopt;
}

std::optional<CoverSource> coverFromDrop(HDROP drop) {
    return firstImageFile(drop);
}

std::optional<CoverSource> chooseCoverFile(HWND owner, const char* folder) {
    char file[MAX_PATH] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter =
        "Pictures (*.jpg; *.jpeg; *.png; *.bmp; "
        "*.gif)\0*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.bmp;*.gif\0"
        "All files (*.*)\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = folder;
    dialog.lpstrTitle = "Set Cover";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
    return CoverSource{file, {}};
}
