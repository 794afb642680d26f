// coverhall-host.exe: the stand-in Media Library as a program.
//   coverhall-host --plugin <dll> [--library <file>] [--ini <folder>]
//                  [--select <entry title>]... [--screenshot <file prefix>]
//                  [--wait <ms>]
// With --screenshot it selects each entry in turn, captures the window to
// "<prefix>-<n>.bmp" (or "<prefix>.bmp" without --select) and exits; without
// it, it runs until the window is closed.
#include <cstdio>
#include <string>

#include "host/command_line.h"
#include "host/stand_in_host.h"

namespace {

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
    coverhall::host::HostArguments arguments;
    if (!coverhall::host::parseHostArguments(
            argc, argv, {"--plugin", "--library", "--ini", "--select", "--screenshot", "--wait"},
            arguments)) {
        std::fprintf(
            stderr,
            "usage: coverhall-host --plugin <dll> [--library <file>] [--ini <folder>]\n"
            "       [--select <entry title>]... [--screenshot <file prefix>] [--wait <ms>]\n");
        return 2;
    }
    coverhall::host::HostOptions options;
    options.iniFolder = arguments.ini;
    coverhall::host::StandInHost host(options);
    if (!coverhall::host::loadAndStart(host, arguments)) return 1;
    if (host.plugin()) {
        // The description is built by start.
        const PluginRecord* record = host.plugin();
        std::printf("plug-in version %d: %s\n", record->version,
                    record->description ? record->description : "(no description)");
        std::printf("tree entries: %zu\n", host.treeEntries().size());
    }
    std::printf("library: %zu songs, INI file %s\n", host.songs().size(),
                host.iniFilePath().c_str());
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
