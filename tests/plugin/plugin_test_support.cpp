#include "tests/plugin/plugin_test_support.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace coverhall::test {
namespace {

std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace

PluginInstall::PluginInstall(const std::string& name, bool withHelpFile) {
    folder = windowsPath(COVERHALL_TEST_OUTPUT) + "\\" + name;
    const std::string plugins = folder + "\\Plugins";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(plugins.c_str(), nullptr);
    DeleteFileA(hostIni().c_str());
    DeleteFileA(ownIni().c_str());
    dllPath = plugins + "\\ml_Coverhall.dll";
    CopyFileA(windowsPath(COVERHALL_PLUGIN_DLL).c_str(), dllPath.c_str(), FALSE);
    const std::string helpFile = plugins + "\\ReadMeCoverhall.txt";
    if (withHelpFile)
        CopyFileA(windowsPath(COVERHALL_HELP_FILE).c_str(), helpFile.c_str(), FALSE);
    else
        DeleteFileA(helpFile.c_str());
}

host::HostOptions PluginInstall::options() const {
    host::HostOptions options;
    options.iniFolder = folder;
    options.showWindow = false;
    return options;
}

std::map<std::string, std::string> iniSection(const std::string& file, const char* section) {
    std::vector<char> buffer(1 << 16, '\0');
    const DWORD length = GetPrivateProfileSectionA(section, buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), file.c_str());
    std::map<std::string, std::string> keys;
    for (DWORD at = 0; at < length && buffer[at];) {
        const std::string line(buffer.data() + at);
        const size_t equals = line.find('=');
        keys[line.substr(0, equals)] = equals == std::string::npos ? "" : line.substr(equals + 1);
        at += static_cast<DWORD>(line.size()) + 1;
    }
    return keys;
}

std::string fileContents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeIni(const std::string& file, const char* key, const char* value) {
    WritePrivateProfileStringA("ml_Coverhall", key, value, file.c_str());
}

host::HostSong song(const char* album, const char* genre, const char* title, const char* folder) {
    host::HostSong song;
    const std::string dir = folder ? folder : std::string("C:\\Music\\") + (album ? album : "none");
    song.filename = dir + "\\" + title + ".mp3";
    song.title = std::string(title);
    if (album) song.album = std::string(album);
    song.artist = std::string("Artist");
    if (genre) song.genre = std::string(genre);
    song.length = 180;
    return song;
}

RunningPlugin::RunningPlugin(const PluginInstall& install, std::vector<host::HostSong> songs,
                             host::HostOptions options)
    : host(std::move(options)) {
    host.setSongs(std::move(songs));
    loaded = host.loadPlugin(install.dllPath);
    if (loaded) host.startPlugin();
}

int RunningPlugin::entry(const char* title) const {
    return host.findEntry(title).value_or(-1);
}

std::string controlText(HWND dialog, int id) {
    char text[4096] = "";
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

bool isChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

}  // namespace coverhall::test
