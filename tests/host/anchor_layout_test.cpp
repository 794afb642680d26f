// The child-resize service: what the plug-in's views rely on when the host
// resizes them.
#include "host/anchor_layout.h"
#include "host/host_skin.h"
#include "host/stand_in_host.h"
#include "tests/host/test_paths.h"

#include <gtest/gtest.h>

namespace coverhall::host {
namespace {

EdgeRect resized(EdgeRect control, int anchor, int fromWidth, int fromHeight, int toWidth,
                 int toHeight) {
    int32_t words[4] = {};
    recordAnchoredEdges(control, fromWidth, fromHeight, anchor, words);
    return anchoredRect(words, toWidth, toHeight, anchor);
}

void expectRect(const EdgeRect& rect, int left, int top, int right, int bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

TEST(AnchorLayout, DigitsStandForLeftTopRightBottomFromTheHighest) {
    const EdgeRect control{10, 20, 110, 70};  // in a 200 x 100 parent
    expectRect(resized(control, 0x0000, 200, 100, 300, 160), 10, 20, 110, 70);   // fixed
    expectRect(resized(control, 0x0011, 200, 100, 300, 160), 10, 20, 210, 130);  // grows
    expectRect(resized(control, 0x0101, 200, 100, 300, 160), 10, 80, 110, 130);  // to the bottom
    expectRect(resized(control, 0x1010, 200, 100, 300, 160), 110, 20, 210, 70);  // to the right
    expectRect(resized(control, 0x0111, 200, 100, 300, 160), 10, 80, 210, 130);  // bottom, widens
    expectRect(resized(control, 0x0010, 200, 100, 300, 160), 10, 20, 210, 70);   // widens
}

TEST(AnchorLayout, ShrinkingBelowTheLayoutNeverInvertsAControl) {
    EdgeRect rect = resized({10, 20, 110, 70}, 0x0011, 200, 100, 50, 30);
    EXPECT_GE(rect.right, rect.left);
    EXPECT_GE(rect.bottom, rect.top);
}

// A parent with three children by id, driven through the service functions
// the host hands out.
class ResizeService : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_TRUE(parent_);
        RECT client{};
        GetClientRect(parent_, &client);
        width_ = client.right;
        height_ = client.bottom;
        for (int id : {1031, 1017, 1034}) {
            CreateWindowExA(0, "STATIC", "", WS_CHILD, 10, 40, 100, 50, parent_,
                            reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
        }
    }
    void TearDown() override { DestroyWindow(parent_); }

    RECT childRect(int id) {
        RECT rect{};
        GetWindowRect(GetDlgItem(parent_, id), &rect);
        MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    void resizeClientBy(int dx, int dy) {
        RECT window{};
        GetWindowRect(parent_, &window);
        SetWindowPos(parent_, nullptr, 0, 0, window.right - window.left + dx,
                     window.bottom - window.top + dy, SWP_NOZORDER | SWP_NOMOVE);
    }

    HWND parent_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

TEST_F(ResizeService, InitRecordsThenApplyMovesTheAnchoredEdges) {
    HostSkin skin;
    setActiveSkin(&skin);
    ResizeItem table[] = {{1031, 0x0011, {}}, {1017, 0x0101, {}}, {1034, 0x1010, {}}};
    initChildResize(parent_, table, 3);
    // The words hold the left and top positions and the distances to the far sides.
    EXPECT_EQ(table[0].hostWords[0], 10);
    EXPECT_EQ(table[0].hostWords[2], width_ - 110);
    EXPECT_EQ(table[0].hostWords[3], height_ - 90);

    resizeClientBy(60, 40);
    applyChildResize(parent_, table, 3);
    RECT list = childRect(1031), button = childRect(1017), clear = childRect(1034);
    EXPECT_EQ(list.left, 10);
    EXPECT_EQ(list.top, 40);
    EXPECT_EQ(list.right, 170);
    EXPECT_EQ(list.bottom, 130);
    EXPECT_EQ(button.left, 10);
    EXPECT_EQ(button.top, 80);
    EXPECT_EQ(button.bottom - button.top, 50);
    EXPECT_EQ(clear.left, 70);
    EXPECT_EQ(clear.right - clear.left, 100);
    EXPECT_EQ(clear.top, 40);
    setActiveSkin(nullptr);
}

TEST_F(ResizeService, BadTablesAndMissingControlsAreIgnored) {
    ResizeItem table[] = {{4242, 0x0011, {}}, {1031, 0x0000, {}}};
    initChildResize(parent_, table, 2);
    EXPECT_EQ(table[0].hostWords[2], 0);  // no such control: left as it was
    initChildResize(parent_, nullptr, 5);
    initChildResize(parent_, table, -1);
    initChildResize(nullptr, table, 2);
    applyChildResize(reinterpret_cast<HWND>(0x12345678), table, 2);
    applyChildResize(parent_, table, 0);
    applyChildResize(parent_, table, 2);
    RECT list = childRect(1031);
    EXPECT_EQ(list.left, 10);
    EXPECT_EQ(list.right, 110);
}

TEST(HostResize, AViewIsResizedWithTheHostWindow) {
    HostOptions options;
    options.iniFolder = test::outputFolder("resize");
    StandInHost host(options);
    RECT before{}, after{};
    GetClientRect(host.viewArea(), &before);
    SetWindowPos(host.libraryWindow(), nullptr, 0, 0, options.width + 100, options.height + 50,
                 SWP_NOZORDER | SWP_NOMOVE);
    GetClientRect(host.viewArea(), &after);
    EXPECT_EQ(after.right - before.right, 100);
    EXPECT_EQ(after.bottom - before.bottom, 50);
}

}  // namespace
}  // namespace coverhall::host
