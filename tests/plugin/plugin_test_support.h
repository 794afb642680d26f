// Shared helpers of the plug-in tests: a private install of the built DLL
// (its own Plugins folder and host INI folder) and INI file readers.
#pragma once

#include "host/stand_in_host.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace coverhall::test {

// A folder "<output>\<name>" that holds the host's winamp.ini and the
// Plugins folder with a copy of ml_Coverhall.dll (and the user's guide when
// asked for). Old INI files of an earlier run are removed.
struct PluginInstall {
    PluginInstall(const std::string& name, bool withHelpFile = true);
    std::string folder;
    std::string dllPath;
    std::string hostIni() const { return folder + "\\winamp.ini"; }
    std::string ownIni() const { return folder + "\\Plugins\\ml_Coverhall.ini"; }
    host::HostOptions options() const;
};

// Key -> value of one INI section, read from the file with the system's
// own reader.
std::map<std::string, std::string> iniSection(const std::string& file, const char* section);
std::string fileContents(const std::string& path);
void writeIni(const std::string& file, const char* key, const char* value);

host::HostSong song(const char* album, const char* genre, const char* title = "Song",
                    const char* folder = nullptr);

// A started host with the plug-in of the install and these songs.
struct RunningPlugin {
    RunningPlugin(const PluginInstall& install, std::vector<host::HostSong> songs,
                  host::HostOptions options);
    explicit RunningPlugin(const PluginInstall& install, std::vector<host::HostSong> songs = {})
        : RunningPlugin(install, std::move(songs), install.options()) {}
    host::StandInHost host;
    bool loaded = false;
    int entry(const char* title) const;
};

std::string controlText(HWND dialog, int id);
bool isChecked(HWND dialog, int id);

}  // namespace coverhall::test
