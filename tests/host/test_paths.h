// Where the host tests find the built plug-in and write their files.
#pragma once

#include <string>

namespace coverhall::host::test {

std::string pluginDllPath();
// A fresh folder below the test's build folder (emptied of the INI files).
std::string outputFolder(const std::string& name);
std::string readFile(const std::string& path);

}  // namespace coverhall::host::test
