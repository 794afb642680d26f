#include "settings/start_settings.h"

#include "settings/plugin_settings.h"
#include "settings/setting_keys.h"
#include "win/settings.h"

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

    char density[32];
    readSetting(kCoverDensityKey, density, sizeof(density));
    g_coverDensity = 0;
    if (density[0])
        g_coverDensity = parseSettingNumber(density);
    else
        writeSetting(kCoverDensityKey, "0");

    char sortOrder[256];
    readSetting(kTreeGenreSortOrderKey, sortOrder, sizeof(sortOrder));
    g_treeGenreSortOrder = 0;
    if (sortOrder[0])
        g_treeGenreSortOrder = parseSettingNumber(sortOrder);
    else
        writeSetting(kTreeGenreSortOrderKey, "0");

    g_showAlbumTags = readSettingInt(kShowAlbumTagsKey, 1) != 0 ? 1 : 0;
}
