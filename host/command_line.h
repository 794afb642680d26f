// The command line of the stand-in host's programs (coverhall-host and the
// tour): "--name value" pairs.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace coverhall::host {

class StandInHost;

struct HostArguments {
    std::string plugin;
    std::string library;
    std::string ini;
    std::string screenshot;
    std::string out;
    std::vector<std::string> select;
    int waitMs = 1500;
};

// False when a name has no value or is not one of `accepted` ("--plugin",
// "--library", "--ini", "--screenshot", "--out", "--select", "--wait").
bool parseHostArguments(int argc, char** argv, std::initializer_list<std::string_view> accepted,
                        HostArguments& arguments);

// Reads the library file when one is named (a message when it cannot), then
// loads and starts the plug-in when one is named; false, with a message, when
// it cannot be loaded.
bool loadAndStart(StandInHost& host, const HostArguments& arguments);

}  // namespace coverhall::host
