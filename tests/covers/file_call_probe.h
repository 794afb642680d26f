// Counts the file-system calls this test program makes while a probe lives,
// by patching the program's own import table: the cover layer and TagLib are
// linked into it, so every open, listing and attribute query they make is
// seen.
#pragma once

class FileCallProbe {
  public:
    FileCallProbe();
    ~FileCallProbe();
    FileCallProbe(const FileCallProbe&) = delete;
    FileCallProbe& operator=(const FileCallProbe&) = delete;

    int opens() const;             // CreateFileA and CreateFileW
    int listings() const;          // FindFirstFileA
    int attributeQueries() const;  // GetFileAttributesA and GetFileAttributesExA
};
