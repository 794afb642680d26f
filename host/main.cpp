// coverhall-host.exe: the stand-in Media Library as a program.
//   coverhall-host --plugin <dll> [--library <file>] [--ini <folder>]
//                  [--select <entry title>]... [--screenshot <file prefix>]
//                  [--wait <ms>]
// With --screenshot it selects each entry in turn, captures the window to
// "<prefix>-<n>.bmp" (or "<prefix>.bmp" without --select) and exits; without
// it, it runs until the window is closed.
#include "host/stand_in_host.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Arguments {
    std::string plugin;
    std::string library;
    std::string ini;
    std::string screenshot;
    std::vector<std::string> select;
    int waitMs = 1500;
    bool valid = true;
};

Arguments parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (i + 1 >= argc) {
            arguments.valid = false;
            break;
        }
        std::string value = argv[++i];
        if (name == "--plugin")
            arguments.plugin = value;
        else if (name == "--library")
            arguments.library = value;
        else if (name == "--ini")
            arguments.ini = value;
        else if (name == "--screenshot")
            arguments.screenshot = value;
        else if (name == "--select")
            arguments.select.push_back(value);
        else if (name == "--wait")
            arguments.waitMs = std::atoi(value.c_str());
        else
            arguments.valid = false;
    }
    return arguments;
}

int runLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments = parse(argc, argv);
    if (!arguments.valid) {
        std::fprintf(
            stderr,
            "usage: coverhall-host --plugin <dll> [--library <file>] [--ini <folder>]\n"
            "       [--select <entry title>]... [--screenshot <file prefix>] [--wait <ms>]\n");
        return 2;
    }
    coverhall::host::HostOptions options;
    options.iniFolder = arguments.ini;
    coverhall::host::StandInHost host(options);
    if (!arguments.library.empty() && !host.loadLibraryFile(arguments.library)) {
        std::fprintf(stderr, "cannot read the library file %s\n", arguments.library.c_str());
    }
    std::printf("library: %zu songs, INI file %s\n", host.songs().size(),
                host.iniFilePath().c_str());
    if (!arguments.plugin.empty()) {
        if (!host.loadPlugin(arguments.plugin)) {
            std::fprintf(stderr, "cannot load the plug-in %s\n", arguments.plugin.c_str());
            return 1;
        }
        host.startPlugin();
        // The description is built by start.
        const PluginRecord* record = host.plugin();
        std::printf("plug-in version %d: %s\n", record->version,
                    record->description ? record->description : "(no description)");
        std::printf("tree entries: %zu\n", host.treeEntries().size());
    }
    std::fflush(stdout);

    if (arguments.screenshot.empty()) {
        for (const std::string& title : arguments.select) host.selectEntry(title);
        runLoop();
        return 0;
    }
    int failures = 0;
    auto shoot = [&](const std::string& path) {
        host.pump(arguments.waitMs);
        bool written = host.capture(path);
        std::printf("%s %s\n", written ? "screenshot" : "cannot write", path.c_str());
        failures += written ? 0 : 1;
    };
    if (arguments.select.empty()) shoot(arguments.screenshot + ".bmp");
    for (size_t i = 0; i < arguments.select.size(); ++i) {
        if (!host.selectEntry(arguments.select[i])) {
            std::printf("no tree entry \"%s\"\n", arguments.select[i].c_str());
        }
        shoot(arguments.screenshot + "-" + std::to_string(i + 1) + ".bmp");
    }
    std::fflush(stdout);
    return failures ? 1 : 0;
}
