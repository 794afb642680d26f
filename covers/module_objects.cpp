// Everything here is built, in this order, by the module's load sequence and
// destroyed in reverse order by its unload; one translation unit fixes the
// order.
#include "covers/module_objects.h"

#include "covers/cover_image_list_win32.h"
#include "win/module_bitmaps.h"

std::unique_ptr<CoverImageList> makeCoverImageList(int edge) {
    // The library catalogue is built during module load, before start sets
    // g_moduleHandle; its bitmaps then come from the module holding this code.
    return std::make_unique<Win32CoverImageList>(edge, bitmapModule());
}

LibraryCatalogue g_libraryCatalogue(kThumbnailSize, makeCoverImageList);

std::unique_ptr<ViewCatalogue> g_viewCatalogue;

namespace {

// A null unique_ptr is constant-initialised, which would place its
// destruction after that of every object built at load, the library
// catalogue included. This guard, built after the library catalogue, releases
// the view catalogue, which borrows the library's songs, before it.
struct ViewCatalogueRelease {
    ViewCatalogueRelease() noexcept { g_viewCatalogue.reset(); }
    ~ViewCatalogueRelease() { g_viewCatalogue.reset(); }
} g_viewCatalogueRelease;

}  // namespace
