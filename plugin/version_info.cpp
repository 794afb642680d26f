#include "plugin/version_info.h"

#include <vector>

#include "win/plugin_globals.h"

namespace {

constexpr char kModuleFileName[] = "ml_Coverhall.dll";
constexpr char kLegacyModulePath[] = ".\\Plugins\\ml_Coverhall.dll";

template <size_t Size>
void copyVersionString(const std::vector<char>& block, const char* key, char (&text)[Size]) {
    void* value = nullptr;
    UINT length = 0;
    // VerQueryValueA does not write to the block, but takes a non-const pointer.
    if (!VerQueryValueA(const_cast<char*>(block.data()), key, &value, &length) || !value) return;
    lstrcpynA(text, static_cast<const char*>(value), Size);
}

bool readVersionBlock(const char* fileName) {
    if (!fileName || !*fileName) return false;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName, &ignored);
    if (size == 0) return false;
    std::vector<char> block(size, '\0');
    if (!GetFileVersionInfoA(fileName, 0, size, block.data())) return false;
    copyVersionString(block, "\\StringFileInfo\\040904b0\\FileVersion", g_versionText);
    copyVersionString(block, "\\StringFileInfo\\040904b0\\Comments", g_commentsText);
    copyVersionString(block, "\\StringFileInfo\\040904b0\\Build Date", g_buildDateText);
    return true;
}

}  // namespace

const char* versionBlockFileName(DWORD windowsVersion) {
    return (windowsVersion & 0x80000000u) ? kLegacyModulePath : kModuleFileName;
}

void readVersionTexts(const char* fileName, const char* fallbackPath) {
    g_versionText[0] = '\0';
    g_commentsText[0] = '\0';
    g_buildDateText[0] = '\0';
    // A bare module name is found only on the loader's search path, which a
    // host's Plugins folder need not be on; the module's own path always is.
    if (!readVersionBlock(fileName)) readVersionBlock(fallbackPath);
}

std::string makeDescription() {
    std::string description = "Coverhall plug-in from Quillet Varnou GmbH / Version ";
    description += g_versionText;
    if (description.size() > 255) description.resize(255);
    return description;
}
