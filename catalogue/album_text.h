// A text of an album (its folder, its genre list): a view of bytes followed
// by a zero byte, so that c_str() goes to Windows as it is. A catalogue's
// albums borrow their texts from its songs or its text arena, which saves a
// heap block per text; a record made outside a catalogue and assigned a text
// keeps a copy of its own.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/song_text.h"

class AlbumText {
  public:
    AlbumText() = default;
    AlbumText(const AlbumText& other) { *this = other; }
    AlbumText(AlbumText&&) noexcept = default;
    AlbumText& operator=(const AlbumText& other) {
        if (other.own_) return *this = std::string_view(other);
        own_.reset();
        text_ = other.text_;
        return *this;
    }
    AlbumText& operator=(AlbumText&&) noexcept = default;
    // A copy of its own; null is the empty text.
    AlbumText& operator=(const char* text) {
        return *this = text ? std::string_view(text) : std::string_view();
    }
    AlbumText& operator=(std::string_view text) {
        if (text.empty()) {
            own_.reset();
            text_ = SongText();
            return *this;
        }
        text = text.substr(0, UINT32_MAX - 1);
        auto copy = std::make_unique<char[]>(text.size() + 1);
        std::memcpy(copy.get(), text.data(), text.size());
        copy[text.size()] = '\0';
        own_ = std::move(copy);
        text_ = SongText::terminated(own_.get(), text.size());
        return *this;
    }
    AlbumText& operator=(const std::string& text) { return *this = std::string_view(text); }

    // The text must outlive this view.
    void borrow(SongText text) {
        own_.reset();
        text_ = text;
    }

    SongText text() const { return text_; }
    const char* c_str() const { return text_.c_str(); }
    const char* data() const { return text_.data(); }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    operator std::string_view() const { return text_; }
    operator std::string() const { return std::string(text_.data(), text_.size()); }

    friend bool operator==(const AlbumText& a, const AlbumText& b) { return a.text_ == b.text_; }
    friend bool operator==(const AlbumText& a, std::string_view b) { return a.text_ == b; }
    friend bool operator==(std::string_view a, const AlbumText& b) { return a == b.text_; }
    friend bool operator!=(const AlbumText& a, const AlbumText& b) { return !(a == b); }
    friend bool operator!=(const AlbumText& a, std::string_view b) { return !(a == b); }
    friend bool operator!=(std::string_view a, const AlbumText& b) { return !(a == b); }
    friend std::string operator+(const AlbumText& a, std::string_view b) {
        return std::string(a.text_).append(b);
    }
    friend std::string operator+(std::string_view a, const AlbumText& b) {
        return std::string(a).append(b.text_);
    }

  private:
    SongText text_;
    std::unique_ptr<char[]> own_;  // null while the text is borrowed
};
