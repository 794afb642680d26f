// A disc set shown as one album through the stand-in host, with the option
// stored as a user's Configure leaves it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/list_probes.h"
#include "resources/resource_ids.h"
#include "tests/covers/test_images.h"
#include "tests/views/view_test_support.h"
#include "win/com_apartment.h"

namespace coverhall::test {
namespace {

std::vector<std::string> column(HWND list, int subItem) {
    std::vector<std::string> texts;
    for (int i = 0; i < host::listItemCount(list); ++i)
        texts.push_back(host::requestDisplay(list, i, subItem, LVIF_TEXT).text);
    return texts;
}

// demoSongs and a two-disc set, its second disc listed first, whose cover
// lies in the set's folder (a picture of its own lies in CD1).
class DiscSetWalk : public testing::Test {
  protected:
    DiscSetWalk() {
        const std::string set = root_.file("Seasons");
        CreateDirectoryA(set.c_str(), nullptr);
        for (const char* disc : {"CD2", "CD1"}) {
            CreateDirectoryA((set + "\\" + disc).c_str(), nullptr);
            for (int track = 1; track <= 2; ++track) {
                host::HostSong s;
                s.filename = set + "\\" + disc + "\\" + std::to_string(track) + ".mp3";
                s.title = std::string(disc) + " song " + std::to_string(track);
                s.album = "The Four Seasons";
                s.artist = "Orchestra Nova";
                s.genre = "Classical";
                s.year = 1990;
                s.track = track;
                s.length = 60;
                songs_.push_back(s);
            }
        }
        for (const host::HostSong& s : demoSongs()) songs_.push_back(s);
        written_ =
            writeSolidImage(set + "\\cover.bmp", GUID_ContainerFormatBmp, 8, 8, kParentColour) &&
            writeSolidImage(set + "\\CD1\\front.bmp", GUID_ContainerFormatBmp, 8, 8, 0x2040C0);
    }

    // The album list's titles and the Classical genre's album count.
    std::pair<std::vector<std::string>, std::string> walk(bool join) {
        PluginInstall install(join ? "disc_sets_on" : "disc_sets_off");
        if (join) writeIni(install.hostIni(), "JoinDiscFolders", "1");
        RunningPlugin plugin(install, songs_);
        auto& host = plugin.host;
        EXPECT_TRUE(host.selectEntry("Genres"));
        HWND genres = host.control(IDC_GENRE_LIST);
        std::string classical;
        for (int i = 0; i < host::listItemCount(genres); ++i) {
            if (host::requestDisplay(genres, i, 0, LVIF_TEXT).text == "Classical")
                classical = host::requestDisplay(genres, i, 1, LVIF_TEXT).text;
        }
        EXPECT_TRUE(openAndSearch(host));
        std::vector<std::string> titles = column(host.control(IDC_ALBUM_LIST), 0);
        if (join) checkTheSet(host);
        return {titles, classical};
    }

    void checkTheSet(host::StandInHost& host) {
        HWND albums = host.control(IDC_ALBUM_LIST);
        int set = -1;
        for (int i = 0; i < host::listItemCount(albums); ++i) {
            if (host::requestDisplay(albums, i, 0, LVIF_TEXT).text == "The Four Seasons") set = i;
        }
        ASSERT_GE(set, 0);
        EXPECT_EQ(host::requestDisplay(albums, set, 2, LVIF_TEXT).text, "4");
        EXPECT_EQ(host::requestDisplay(albums, set, 6, LVIF_TEXT).text, root_.file("Seasons"));
        ListView_SetItemState(albums, set, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        // Enqueue sends the set disc by disc.
        host::clickButton(host.control(IDC_ENQUEUE));
        std::vector<std::string> sent;
        if (!host.playRequests().empty()) {
            for (const host::PlayedSong& s : host.playRequests().back().songs)
                sent.push_back(s.title);
        }
        const std::vector<std::string> setOrder = {"CD1 song 1", "CD1 song 2", "CD2 song 1",
                                                   "CD2 song 2"};
        EXPECT_EQ(sent, setOrder);
        // Contents lists both discs in that order, under the parent's cover.
        host::clickButton(host.control(IDC_MODE_CONTENTS));
        EXPECT_EQ(column(host.control(IDC_SONG_LIST), 1), setOrder);
        HWND picture = host.control(IDC_COVER_PICTURE);
        const auto centre = [picture] {
            const auto bitmap =
                reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
            return bitmap ? bitmapPixel(bitmap, kContentsCoverSize / 2, kContentsCoverSize / 2)
                          : 0u;
        };
        EXPECT_TRUE(handleMessagesUntil([&] { return centre() == kParentColour; }))
            << std::hex << centre();
    }

    static constexpr uint32_t kParentColour = 0xC04020;
    ComApartment apartment_;  // the pictures are written with WIC
    TempFolder root_;
    bool written_ = false;
    std::vector<host::HostSong> songs_;
};

TEST_F(DiscSetWalk, TheDiscsOfASetShowAsOneAlbumWhenTheOptionIsOn) {
    ASSERT_TRUE(written_);
    const auto [offTitles, offClassical] = walk(false);
    const auto [onTitles, onClassical] = walk(true);
    EXPECT_EQ(onTitles.size() + 1, offTitles.size());
    EXPECT_EQ(offClassical, "3");  // Echoes and each disc
    EXPECT_EQ(onClassical, "2");
}

}  // namespace
}  // namespace coverhall::test
