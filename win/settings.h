// Where the plug-in keeps its settings, and the reads and writes of them.
// Every access goes through these functions so that a missing INI path never
// reaches the private-profile functions, which would use win.ini instead.
#pragma once

#include <windows.h>

// Section of the host's INI file that holds every setting.
constexpr char kSettingsSection[] = "ml_Coverhall";

// g_hostIniPath from player code 334 and g_ownIniPath from the INI folder of
// code 335 + "\Plugins\ml_Coverhall.ini". A null or empty answer leaves the
// path empty; so does an own path that would not fit in 260 bytes.
void determineIniPaths(HWND playerWindow);
// The own path for an INI folder, or false when folder is null or empty or
// the result would not fit into the buffer.
bool buildOwnIniPath(const char* folder, char* path, size_t size);

// True once the host named its INI file.
bool hasHostIni();

// A decimal setting as atoi reads it, but without overflow: non-numeric text
// is 0 and values beyond the int range are clamped.
int parseSettingNumber(const char* text);

// Section "ml_Coverhall" of the host's INI file. Reads give "" (or the
// default) and writes do nothing while there is no host INI path; true when a
// write was made.
void readSetting(const char* key, char* buffer, DWORD size);
int readSettingInt(const char* key, int defaultValue);
bool writeSetting(const char* key, const char* value);
bool writeSettingInt(const char* key, int value);

// The column-width file g_ownIniPath, same rules.
int readColumnWidth(const char* section, const char* column, int defaultWidth);
bool writeColumnWidth(const char* section, const char* column, int width);
