// The built ml_Coverhall.dll in the stand-in host: the record, start and
// stop; and the host's window capture used by the demo and visual checks.
#include "host/stand_in_host.h"
#include "tests/host/test_paths.h"

#include <gtest/gtest.h>

#include <cstring>

namespace coverhall::host {
namespace {

HostOptions optionsFor(const char* name) {
    HostOptions options;
    options.iniFolder = test::outputFolder(name);
    return options;
}

TEST(PluginLoad, TheBuiltDllGivesItsRecordAndStartsAndStops) {
    StandInHost host(optionsFor("load"));
    host.setSongs({});
    ASSERT_TRUE(host.loadPlugin(test::pluginDllPath())) << test::pluginDllPath();
    PluginRecord* record = host.plugin();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->version, 21);
    EXPECT_NE(record->description, nullptr);
    ASSERT_TRUE(record->start && record->stop && record->onMessage);
    EXPECT_EQ(record->playerWindow, host.playerWindow());
    EXPECT_EQ(record->libraryWindow, host.libraryWindow());
    EXPECT_EQ(record->instance, GetModuleHandleA("ml_Coverhall.dll"));
    EXPECT_EQ(host.startPlugin(), 0);
    host.pump(0);  // whatever start posted is handled
    // Messages for entries that are not the plug-in's create nothing.
    EXPECT_EQ(host.sendToPlugin(PluginCode::kCreateView, 987654, 0, 0), 0);
    host.stopPlugin();
    EXPECT_EQ(host.plugin(), nullptr);
    EXPECT_EQ(GetModuleHandleA("ml_Coverhall.dll"), nullptr);  // unloaded
}

TEST(PluginLoad, LoadsAgainAfterUnloading) {
    StandInHost host(optionsFor("reload"));
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(host.loadPlugin(test::pluginDllPath()));
        host.startPlugin();
        host.stopPlugin();
    }
    EXPECT_EQ(GetModuleHandleA("ml_Coverhall.dll"), nullptr);
}

TEST(PluginLoad, MissingFilesAndNonPluginsAreRefused) {
    StandInHost host(optionsFor("refuse"));
    EXPECT_FALSE(host.loadPlugin("Z:\\no\\such\\ml_Nothing.dll"));
    EXPECT_FALSE(host.loadPlugin("kernel32.dll"));  // no plug-in export
    EXPECT_EQ(host.plugin(), nullptr);
    EXPECT_EQ(host.startPlugin(), 0);
    EXPECT_EQ(host.sendToPlugin(PluginCode::kConfigure, 0, 0, 0), 0);
    EXPECT_FALSE(host.selectEntry("Coverhall"));
}

TEST(WindowCapture, WritesABmpOfTheWindowsSize) {
    StandInHost host(optionsFor("capture"));
    host.pump(0);  // the window's first messages are handled
    std::string path = host.iniFolder() + "\\capture.bmp";
    DeleteFileA(path.c_str());
    ASSERT_TRUE(host.capture(path));
    std::string file = test::readFile(path);
    ASSERT_GT(file.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    BITMAPFILEHEADER header;
    BITMAPINFOHEADER info;
    std::memcpy(&header, file.data(), sizeof header);
    std::memcpy(&info, file.data() + sizeof header, sizeof info);
    RECT window{};
    GetWindowRect(host.libraryWindow(), &window);
    EXPECT_EQ(header.bfType, 0x4D42);
    EXPECT_EQ(header.bfSize, file.size());
    EXPECT_EQ(info.biWidth, window.right - window.left);
    EXPECT_EQ(info.biHeight, window.bottom - window.top);
    EXPECT_EQ(info.biBitCount, 24);
    // The picture is not blank: the tree's dark background and the frame differ.
    const unsigned char* pixels =
        reinterpret_cast<const unsigned char*>(file.data()) + header.bfOffBits;
    bool varied = false;
    for (size_t i = 3; i < info.biSizeImage && !varied; i += 3) {
        varied = std::memcmp(pixels, pixels + i, 3) != 0;
    }
    EXPECT_TRUE(varied);
    EXPECT_FALSE(host.capture("Z:\\no\\such\\folder\\x.bmp"));
}

}  // namespace
}  // namespace coverhall::host
