// The cover image list of a catalogue and the plug-in state that holds the
// library's.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "catalogue/view_catalogue.h"
#include "covers/cover_image_list_win32.h"
#include "covers/plugin_state.h"
#include "tests/covers/test_images.h"
#include "views/list_view_helper.h"
#include "win/module_bitmaps.h"
#include "win/plugin_globals.h"

namespace {

struct ListProbe {
    HIMAGELIST list;
    uint32_t at(int index, int x, int y) const { return drawnPixel(list, index, x, y); }
};

}  // namespace

TEST(CoverImageList, HoldsThePlaceholderTheThumbnailSlotAndTheFrame) {
    const Win32CoverImageList images(kThumbnailSize, moduleOfThisCode());
    const ListProbe probe{images.handle()};
    ASSERT_NE(probe.list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(probe.list), 3);
    int w = 0, h = 0;
    ImageList_GetIconSize(probe.list, &w, &h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 100);
    // Slot 0: black around the disc case is transparent.
    EXPECT_EQ(probe.at(NoCoverImage, 0, 0), kGround);
    EXPECT_NE(probe.at(NoCoverImage, 50, 50), kGround);
    // Slot 1: the same picture drawn whole, as its mask is all black.
    EXPECT_EQ(probe.at(ThumbnailImage, 0, 0), 0u);
    EXPECT_EQ(probe.at(ThumbnailImage, 50, 50), probe.at(NoCoverImage, 50, 50));
    // Slot 2: the red border, and white of the checker transparent.
    EXPECT_EQ(probe.at(SelectionFrameImage, 1, 50), 0xFF0000u);
    EXPECT_EQ(probe.at(SelectionFrameImage, 3, 50), 0x800080u);
    EXPECT_EQ(probe.at(SelectionFrameImage, 50, 50), 0x808080u);
    EXPECT_EQ(probe.at(SelectionFrameImage, 51, 50), kGround);
    // Drawn as overlay 1 over the thumbnail, the frame shows on top of it
    // and the cover through the white of the checker.
    EXPECT_EQ(drawnPixel(probe.list, ThumbnailImage, 1, 50, INDEXTOOVERLAYMASK(1)), 0xFF0000u);
    EXPECT_EQ(drawnPixel(probe.list, ThumbnailImage, 50, 50, INDEXTOOVERLAYMASK(1)), 0x808080u);
    EXPECT_EQ(drawnPixel(probe.list, ThumbnailImage, 51, 50, INDEXTOOVERLAYMASK(1)),
              probe.at(ThumbnailImage, 51, 50));
}

TEST(CoverImageList, MissingBitmapsLeaveTheirSlotsOutWithoutHarm) {
    // kernel32 holds none of our bitmaps.
    const Win32CoverImageList images(kThumbnailSize, GetModuleHandleA("kernel32.dll"));
    ASSERT_NE(images.handle(), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images.handle()), 0);
    const Win32CoverImageList none(kThumbnailSize, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(none.handle()), 0);
    EXPECT_EQ(coverImageListOf(nullptr), nullptr);
    const ViewCatalogue bare(kThumbnailSize, nullptr);
    EXPECT_EQ(coverImageListOf(&bare), nullptr);
}

TEST(CoverImageList, EveryCatalogueGetsAListOfItsOwn) {
    ViewCatalogue a(kThumbnailSize, makeCoverImageList), b(kThumbnailSize, makeCoverImageList);
    ASSERT_NE(coverImageListOf(&a), nullptr);
    EXPECT_NE(coverImageListOf(&a), coverImageListOf(&b));
    EXPECT_EQ(ImageList_GetImageCount(coverImageListOf(&b)), 3);
}

TEST(PluginState, NothingBeforeItIsMadeThenALibraryWithBitmapsFromItsOwnModule) {
    // Nothing was made while the program loaded: an empty library stands in.
    ASSERT_EQ(pluginState(), nullptr);
    EXPECT_EQ(libraryCatalogue().songCount(), 0);
    EXPECT_EQ(coverImageListOf(&libraryCatalogue()), nullptr);
    EXPECT_EQ(viewCatalogue(), nullptr);
    for (const ListViewHelper* helper :
         {&g_albumListHelper, &g_songListHelper, &g_genreListHelper}) {
        EXPECT_EQ(helper->control, nullptr);
        EXPECT_EQ(helper->font, nullptr);
        EXPECT_EQ(helper->columnCount, 0);
        EXPECT_EQ(helper->useHostFont, 1);
        EXPECT_EQ(helper->hostWindow, nullptr);
    }
    // Without a module handle, as for a renamed DLL, the bitmaps come from
    // the module holding the code.
    const HMODULE moduleHandle = std::exchange(g_moduleHandle, nullptr);
    makePluginState();
    g_moduleHandle = moduleHandle;
    HIMAGELIST library = coverImageListOf(&libraryCatalogue());
    EXPECT_NE(library, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(library), 3);
    EXPECT_EQ(libraryCatalogue().songCount(), 0);
    releasePluginState();
    EXPECT_EQ(pluginState(), nullptr);
    EXPECT_EQ(moduleOfThisCode(), GetModuleHandleA(nullptr));
}
