// The modal driver: menus and dialogs that run their own message loop are
// read and answered from a thread timer.
#include "host/modal_driver.h"

#include <gtest/gtest.h>

namespace coverhall::host {
namespace {

class ModalOwner : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300, 200,
                                 nullptr, nullptr, nullptr, nullptr);
        menu_ = CreatePopupMenu();
        AppendMenuA(menu_, MF_STRING, 40010, "Sort &descending");
        AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu_, MF_STRING, 40009, "&Help");
        AppendMenuA(menu_, MF_STRING, 40002, "&About Coverhall");
    }
    void TearDown() override {
        DestroyMenu(menu_);
        DestroyWindow(owner_);
    }
    UINT track() {
        return TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, 50, 50, 0,
                              owner_, nullptr);
    }

    HWND owner_ = nullptr;
    HMENU menu_ = nullptr;
};

TEST_F(ModalOwner, ChoosesAnItemAfterASeparatorAndRecordsTheMenu) {
    ModalDriver driver;
    driver.expectMenu(40002);
    EXPECT_EQ(track(), 40002u);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.menusSeen().size(), 1u);
    const auto& items = driver.menusSeen()[0];
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "Sort &descending");
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(items[3].commandId, 40002u);
}

TEST_F(ModalOwner, ChoosesTheFirstItemOrDismisses) {
    ModalDriver driver;
    driver.expectMenu(40010);
    driver.expectMenu(0);
    EXPECT_EQ(track(), 40010u);
    EXPECT_EQ(track(), 0u);
    EXPECT_TRUE(driver.done());
    EXPECT_TRUE(driver.unexpected().empty());
}

TEST_F(ModalOwner, AMissingCommandDismissesAndIsReported) {
    ModalDriver driver;
    driver.expectMenu(55555);
    EXPECT_EQ(track(), 0u);
    ASSERT_EQ(driver.unexpected().size(), 1u);
}

TEST_F(ModalOwner, RunsTheActionOnTheDialogWithTheCaption) {
    ModalDriver driver;
    std::string text;
    driver.expectDialog("Show Coverhall Help File", [&](HWND dialog) {
        char buffer[256] = "";
        // The message text is the box's static control (id 0xFFFF).
        GetDlgItemTextA(dialog, 0xFFFF, buffer, sizeof buffer);
        text = buffer;
        clickDialogButton(dialog, IDOK);
    });
    int answer = MessageBoxA(owner_, "The help file 'ReadMeCoverhall.txt' does not exist.",
                             "Show Coverhall Help File", MB_ICONWARNING);
    EXPECT_EQ(answer, IDOK);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(text, "The help file 'ReadMeCoverhall.txt' does not exist.");
    EXPECT_EQ(driver.dialogsSeen(), (std::vector<std::string>{"Show Coverhall Help File"}));
}

TEST_F(ModalOwner, UnexpectedModalUiIsDismissedInsteadOfHanging) {
    ModalDriver driver(20, 200);
    int answer = MessageBoxA(owner_, "nobody expects this", "Stray", MB_OKCANCEL);
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_EQ(driver.unexpected(), (std::vector<std::string>{"Stray"}));
    EXPECT_EQ(track(), 0u);
    EXPECT_EQ(driver.unexpected().size(), 2u);
}

}  // namespace
}  // namespace coverhall::host
