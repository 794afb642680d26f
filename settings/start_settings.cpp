#include "settings/start_settings.h"

#include <cstddef>

#include "settings/plugin_settings.h"
#include "settings/setting_keys.h"
#include "win/settings.h"

namespace {

// The stored number, read into a buffer of Size bytes; an empty value is
// stored as "0" and counts as 0.
template <std::size_t Size>
int readNumberOrStoreZero(const char* key) {
    char text[Size];
    readSetting(key, text, sizeof(text));
    if (text[0]) return parseSettingNumber(text);
    writeSetting(key, "0");
    return 0;
}

}  // namespace

void loadStartSettings() {
    char detection[8];
    readSetting(kCoverDetectionKey, detection, sizeof(detection));
    const bool firstStart = detection[0] == '\0';
    if (firstStart) {
        lstrcpynA(detection, "2", sizeof(detection));
        writeSetting(kCoverDetectionKey, "2");
        writeSetting(kCoverImageNameKey, "cover.bmp");
    }
    g_coverDetectionMode = parseSettingNumber(detection);
    if (g_coverDetectionMode < 0 || g_coverDetectionMode > 2) g_coverDetectionMode = 2;

    readSetting(kCoverImageNameKey, g_frontCoverImageName, sizeof(g_frontCoverImageName));
    // Without a host INI file the default name could not be stored and read
    // back, so it is taken directly.
    if (firstStart && !hasHostIni())
        lstrcpynA(g_frontCoverImageName, "cover.bmp", sizeof(g_frontCoverImageName));

    g_embeddedCovers = readSettingInt(kSongPicturesKey, 1) != 0;

    g_coverDensity = readNumberOrStoreZero<32>(kCoverDensityKey);
    g_treeGenreSortOrder = readNumberOrStoreZero<256>(kTreeGenreSortOrderKey);

    g_showAlbumTags = readSettingInt(kShowAlbumTagsKey, 1) != 0 ? 1 : 0;
    g_joinDiscFolders = readSettingInt(kJoinDiscFoldersKey, 0) != 0;

    char size[8];
    readSetting(kCoverSizeKey, size, sizeof(size));
    g_coverSize = coverSizeFromText(size);
}
