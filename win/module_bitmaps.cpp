#include "win/module_bitmaps.h"

#include "win/plugin_globals.h"

HMODULE moduleOfThisCode() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&moduleOfThisCode), &module)) {
        return nullptr;
    }
    return module;
}

HMODULE bitmapModule() {
    return g_moduleHandle ? g_moduleHandle : moduleOfThisCode();
}

coverhall::UniqueBitmap loadBitmapResource(HMODULE module, int id, int width, int height) {
    if (!module) return coverhall::UniqueBitmap();
    return coverhall::UniqueBitmap(static_cast<HBITMAP>(LoadImageA(
        module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION)));
}
