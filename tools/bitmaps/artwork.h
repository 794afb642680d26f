// The plug-in's bitmap resources, drawn by code so that they can be made
// again byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BitmapFile {
    int id;            // resource id
    std::string name;  // file name in resources/bitmaps
    std::vector<uint8_t> bytes;
};

std::vector<BitmapFile> makeAllBitmaps();

// Writes every bitmap into folder (which must exist); false on a write error.
bool writeAllBitmaps(const std::string& folder);
