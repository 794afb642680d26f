// Owning wrappers for the Windows objects the host-integration code keeps:
// non-copyable, movable, released when they go out of scope or are reset.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, void (*Close)(Handle)>
class PluginHandle {
  public:
    PluginHandle() = default;
    explicit PluginHandle(Handle handle) : handle_(handle) {}
    ~PluginHandle() { reset(); }
    PluginHandle(const PluginHandle&) = delete;
    PluginHandle& operator=(const PluginHandle&) = delete;
    PluginHandle(PluginHandle&& other) noexcept : handle_(other.release()) {}
    PluginHandle& operator=(PluginHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_) Close(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

inline void destroyMenuHandle(HMENU menu) {
    DestroyMenu(menu);
}
inline void deleteFontHandle(HFONT font) {
    DeleteObject(font);
}

using MenuHandle = PluginHandle<HMENU, destroyMenuHandle>;
using FontHandle = PluginHandle<HFONT, deleteFontHandle>;
