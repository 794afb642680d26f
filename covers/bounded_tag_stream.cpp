#include "covers/bounded_tag_stream.h"

BoundedTagStream::BoundedTagStream(std::unique_ptr<TagLib::IOStream> inner, const Limits& limits,
                                   std::string name)
    : inner_(std::move(inner)), limits_(limits), name_(std::move(name)) {
    if (inner_ && inner_->isOpen()) length_ = inner_->length();
    if (length_ < 0) length_ = 0;
}

TagLib::FileName BoundedTagStream::name() const {
    if (!name_.empty() || !inner_) return name_.c_str();
    return inner_->name();
}

bool BoundedTagStream::isOpen() const {
    return inner_ && inner_->isOpen();
}

TagLib::ByteVector BoundedTagStream::readBlock(unsigned long length) {
    if (exhausted_ || !isOpen()) return {};
    const long position = inner_->tell();
    const unsigned long left =
        position >= 0 && position < length_ ? static_cast<unsigned long>(length_ - position) : 0;
    if (length > left) length = left;
    if (length == 0) return {};
    if (length > limits_.maxRead || length > limits_.maxTotal - total_ ||
        reads_ >= limits_.maxReads) {
        exhausted_ = true;
        return {};
    }
    total_ += length;
    ++reads_;
    return inner_->readBlock(length);
}

void BoundedTagStream::seek(long offset, Position p) {
    if (isOpen()) inner_->seek(offset, p);
}

void BoundedTagStream::clear() {
    if (isOpen()) inner_->clear();
}

long BoundedTagStream::tell() const {
    return isOpen() ? inner_->tell() : 0;
}
