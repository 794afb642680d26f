// The settings read at start.
#pragma once

// Reads them in their order, writing the first-start defaults; without a host
// INI file the defaults are taken and nothing is written.
void loadStartSettings();
