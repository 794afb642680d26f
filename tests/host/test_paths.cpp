#include "tests/host/test_paths.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace coverhall::host::test {

std::string pluginDllPath() {
    return COVERHALL_PLUGIN_DLL;
}

std::string outputFolder(const std::string& name) {
    std::string folder = std::string(COVERHALL_TEST_OUTPUT) + "\\" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA((folder + "\\winamp.ini").c_str());
    return folder;
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace coverhall::host::test
