// Files renamed out of the way of a new cover, never deleted: "<name>.bak",
// or "<name>.1.bak", "<name>.2.bak" ... when that is taken. Whatever was
// renamed is renamed back when the object goes, unless keep() was called,
// so a step that fails later leaves the folder as it was.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class FilesSetAside {
  public:
    explicit FilesSetAside(std::string folder) : folder_(std::move(folder)) {}
    ~FilesSetAside();
    FilesSetAside(const FilesSetAside&) = delete;
    FilesSetAside& operator=(const FilesSetAside&) = delete;

    // Renames the folder's file `name` to its first free backup name.
    HRESULT setAside(const std::string& name);
    void keep() { moved_.clear(); }

    // Each file renamed so far: its name, then its backup name.
    const std::vector<std::pair<std::string, std::string>>& moved() const { return moved_; }

  private:
    std::string folder_;
    std::vector<std::pair<std::string, std::string>> moved_;
};
