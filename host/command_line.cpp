#include "host/command_line.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "host/stand_in_host.h"

namespace coverhall::host {

bool parseHostArguments(int argc, char** argv, std::initializer_list<std::string_view> accepted,
                        HostArguments& arguments) {
    for (int i = 1; i < argc; i += 2) {
        const std::string_view name = argv[i];
        if (i + 1 >= argc || std::find(accepted.begin(), accepted.end(), name) == accepted.end())
            return false;
        const std::string value = argv[i + 1];
        if (name == "--plugin")
            arguments.plugin = value;
        else if (name == "--library")
            arguments.library = value;
        else if (name == "--ini")
            arguments.ini = value;
        else if (name == "--screenshot")
            arguments.screenshot = value;
        else if (name == "--out")
            arguments.out = value;
        else if (name == "--select")
            arguments.select.push_back(value);
        else if (name == "--wait")
            arguments.waitMs = std::atoi(value.c_str());
        else
            return false;
    }
    return true;
}

bool loadAndStart(StandInHost& host, const HostArguments& arguments) {
    if (!arguments.library.empty() && !host.loadLibraryFile(arguments.library))
        std::fprintf(stderr, "cannot read the library file %s\n", arguments.library.c_str());
    if (arguments.plugin.empty()) return true;
    if (!host.loadPlugin(arguments.plugin)) {
        std::fprintf(stderr, "cannot load the plug-in %s\n", arguments.plugin.c_str());
        return false;
    }
    host.startPlugin();
    return true;
}

}  // namespace coverhall::host
