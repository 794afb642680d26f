#include "win/settings.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "win/host_interface.h"
#include "win/plugin_globals.h"

namespace {

constexpr char kOwnIniTail[] = "\\Plugins\\ml_Coverhall.ini";

const char* playerText(HWND playerWindow, LPARAM code) {
    if (!playerWindow) return nullptr;
    return reinterpret_cast<const char*>(SendMessageA(playerWindow, kPlayerMessage, 0, code));
}

}  // namespace

bool hasHostIni() {
    return g_hostIniPath && *g_hostIniPath;
}

bool buildOwnIniPath(const char* folder, char* path, size_t size) {
    if (size == 0) return false;
    path[0] = '\0';
    if (!folder || !*folder) return false;
    const size_t folderLength = strnlen(folder, size);
    if (folderLength + sizeof(kOwnIniTail) > size) return false;
    memcpy(path, folder, folderLength);
    memcpy(path + folderLength, kOwnIniTail, sizeof(kOwnIniTail));
    return true;
}

void determineIniPaths(HWND playerWindow) {
    const char* hostIni = playerText(playerWindow, PlayerCode::kIniFilePath);
    g_hostIniPath = hostIni ? hostIni : "";
    buildOwnIniPath(playerText(playerWindow, PlayerCode::kIniFolder), g_ownIniPath,
                    sizeof(g_ownIniPath));
}

int parseSettingNumber(const char* text) {
    if (!text) return 0;
    const long value = strtol(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void readSetting(const char* key, char* buffer, DWORD size) {
    if (size == 0) return;
    buffer[0] = '\0';
    if (hasHostIni())
        GetPrivateProfileStringA(kSettingsSection, key, "", buffer, size, g_hostIniPath);
}

int readSettingInt(const char* key, int defaultValue) {
    if (!hasHostIni()) return defaultValue;
    return static_cast<int>(
        GetPrivateProfileIntA(kSettingsSection, key, defaultValue, g_hostIniPath));
}

bool writeSetting(const char* key, const char* value) {
    if (!hasHostIni()) return false;
    return WritePrivateProfileStringA(kSettingsSection, key, value, g_hostIniPath) != FALSE;
}

bool writeSettingInt(const char* key, int value) {
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
    return writeSetting(key, text);
}

int readColumnWidth(const char* section, const char* column, int defaultWidth) {
    if (!g_ownIniPath[0]) return defaultWidth;
    return static_cast<int>(GetPrivateProfileIntA(section, column, defaultWidth, g_ownIniPath));
}

bool writeColumnWidth(const char* section, const char* column, int width) {
    if (!g_ownIniPath[0]) return false;
    char text[16];
    snprintf(text, sizeof(text), "%d", width);
    return WritePrivateProfileStringA(section, column, text, g_ownIniPath) != FALSE;
}
