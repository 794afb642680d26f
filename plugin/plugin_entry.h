// The plug-in's record and the three functions the host calls through it.
#pragma once

#include "host_interface.h"

extern PluginRecord g_pluginRecord;

int __cdecl start();
void __cdecl stop();
int __cdecl onMessage(int code, int param1, int param2, int param3);

extern "C" __declspec(dllexport) PluginRecord* __cdecl winampGetMediaLibraryPlugin();
