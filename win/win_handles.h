// Owning wrappers for the Windows objects of the plug-in and the stand-in
// host: non-copyable, movable, released when they go out of scope or are reset.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include <utility>

namespace coverhall {

template <typename Handle, typename Traits>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }
    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid()) {
        if (handle_ != Traits::invalid()) Traits::close(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::invalid();
};

// Handles whose empty value is null.
template <typename Handle>
struct NullIsEmpty {
    static Handle invalid() { return nullptr; }
};

template <typename Gdi>
struct GdiObjectTraits : NullIsEmpty<Gdi> {
    static void close(Gdi object) { DeleteObject(object); }
};
struct ImageListTraits : NullIsEmpty<HIMAGELIST> {
    static void close(HIMAGELIST list) { ImageList_Destroy(list); }
};
struct WindowTraits : NullIsEmpty<HWND> {
    static void close(HWND window) {
        if (IsWindow(window)) DestroyWindow(window);
    }
};
struct MenuTraits : NullIsEmpty<HMENU> {
    static void close(HMENU menu) { DestroyMenu(menu); }
};
struct ModuleTraits : NullIsEmpty<HMODULE> {
    static void close(HMODULE module) { FreeLibrary(module); }
};
struct FindTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE find) { FindClose(find); }
};
// Threads, events: null when empty.
struct KernelObjectTraits : NullIsEmpty<HANDLE> {
    static void close(HANDLE object) { CloseHandle(object); }
};
struct FileTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE file) { CloseHandle(file); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueFind = UniqueHandle<HANDLE, FindTraits>;
using UniqueFile = UniqueHandle<HANDLE, FileTraits>;
using UniqueKernelObject = UniqueHandle<HANDLE, KernelObjectTraits>;

// A window DC (client area or whole window) released on scope exit.
class WindowDc {
  public:
    explicit WindowDc(HWND window, bool wholeWindow = false)
        : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

class MemoryDc {
  public:
    explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// Holds back the drawing of a shown window and its children while many of
// them change, then repaints once. A hidden window is left alone: turning its
// redraw back on would show it.
class RedrawPause {
  public:
    explicit RedrawPause(HWND window)
        : window_(window && IsWindowVisible(window) ? window : nullptr) {
        if (window_) SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawPause() {
        if (!window_) return;
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

  private:
    HWND window_;
};

// An owned COM interface pointer.
template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // Releases what is held and gives the slot for an out-parameter.
    Interface** put() {
        reset();
        return &pointer_;
    }
    void reset() {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }

  private:
    Interface* pointer_ = nullptr;
};

}  // namespace coverhall
