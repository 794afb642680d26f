// Keeps the lines this test program writes with OutputDebugStringA while a
// probe lives, in place of any debugger: the plug-in's traces, as written.
#pragma once

#include <string>
#include <vector>

class DebugOutputProbe {
  public:
    DebugOutputProbe();
    ~DebugOutputProbe();
    DebugOutputProbe(const DebugOutputProbe&) = delete;
    DebugOutputProbe& operator=(const DebugOutputProbe&) = delete;

    const std::vector<std::string>& lines() const;
};
