// A read-only TagLib stream that never hands TagLib more than a song's tags
// can honestly need. TagLib trusts the sizes a tag declares up to the file's
// length, so a hostile file could make it allocate and read hundreds of
// megabytes, or walk millions of tiny atoms; this stream refuses such reads.
#pragma once

#include <taglib/tiostream.h>

#include <cstddef>
#include <memory>
#include <string>

class BoundedTagStream : public TagLib::IOStream {
  public:
    // Largest single read and what all reads may add up to, in bytes, and
    // how many reads a file may take.
    struct Limits {
        std::size_t maxRead;
        std::size_t maxTotal;
        std::size_t maxReads;
    };

    // `name`, when given, is the name TagLib sees (its extension picks the
    // format) instead of the inner stream's.
    BoundedTagStream(std::unique_ptr<TagLib::IOStream> inner, const Limits& limits,
                     std::string name = {});

    TagLib::FileName name() const override;
    // An empty block once a read would pass a limit, and from then on.
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override;
    void seek(long offset, Position p) override;
    void clear() override;
    long tell() const override;
    long length() override { return length_; }
    void truncate(long) override {}

    bool exhausted() const { return exhausted_; }

  private:
    std::unique_ptr<TagLib::IOStream> inner_;
    Limits limits_;
    std::string name_;
    long length_ = 0;  // taken once: TagLib asks often, and the file is only read
    std::size_t total_ = 0;
    std::size_t reads_ = 0;
    bool exhausted_ = false;
};
