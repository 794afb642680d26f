#include "covers/song_picture.h"

#include <taglib/aifffile.h>
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/asffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpcfile.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/speexfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tfilestream.h>
#include <taglib/trueaudiofile.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/wavpackfile.h>
#include <taglib/xiphcomment.h>

#include <exception>
#include <memory>

#include "covers/bounded_tag_stream.h"

namespace {

// The picture type of a front cover, the same in ID3v2, FLAC and ASF.
constexpr int kFrontCover = 3;
// A picture type for formats that store none (MP4): their first is taken.
constexpr int kUntyped = -1;

// Room for one whole picture with the rest of its tag in one read; all
// reads of one song together may take a few such pictures (Ogg keeps its
// picture in base64, which is a third larger), in not too many steps.
constexpr BoundedTagStream::Limits kSongLimits{kMaxSongPictureBytes + (1u << 20),
                                               4 * kMaxSongPictureBytes, 1u << 17};

// The front cover once one is offered, else the first picture offered.
class PictureChoice {
  public:
    void offer(const TagLib::ByteVector& data, int type) {
        if (front_ || data.isEmpty()) return;
        if (data.size() > kMaxSongPictureBytes) {
            oversized_ = true;
            return;
        }
        if (type == kFrontCover || bytes_.isEmpty()) bytes_ = data;
        front_ = type == kFrontCover;
    }
    bool hasFront() const { return front_; }
    // Only pictures over the limit were offered.
    bool onlyOversized() const { return oversized_ && bytes_.isEmpty(); }
    std::vector<uint8_t> take() const {
        const auto* data = reinterpret_cast<const uint8_t*>(bytes_.data());
        return std::vector<uint8_t>(data, data + bytes_.size());
    }

  private:
    TagLib::ByteVector bytes_;  // shares the tag's data, copied only by take
    bool front_ = false;
    bool oversized_ = false;
};

void offerId3v2(const TagLib::ID3v2::Tag* tag, PictureChoice& choice) {
    if (!tag) return;
    // ID3v2.2 PIC frames come converted to APIC.
    const TagLib::ID3v2::FrameListMap& frames = tag->frameListMap();
    const auto found = frames.find("APIC");
    if (found == frames.end()) return;
    for (const TagLib::ID3v2::Frame* frame : found->second) {
        if (const auto* picture = dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame))
            choice.offer(picture->picture(), picture->type());
    }
}

void offerFlacPictures(const TagLib::List<TagLib::FLAC::Picture*>& pictures,
                       PictureChoice& choice) {
    for (const TagLib::FLAC::Picture* picture : pictures) {
        if (picture) choice.offer(picture->data(), picture->type());
    }
}

void offerXiph(TagLib::Ogg::XiphComment* comment, PictureChoice& choice) {
    if (comment) offerFlacPictures(comment->pictureList(), choice);
}

void offerMp4(const TagLib::MP4::Tag* tag, PictureChoice& choice) {
    if (!tag || !tag->contains("covr")) return;
    for (const TagLib::MP4::CoverArt& art : tag->item("covr").toCoverArtList())
        choice.offer(art.data(), kUntyped);
}

void offerAsf(const TagLib::ASF::Tag* tag, PictureChoice& choice) {
    if (!tag) return;
    for (const TagLib::ASF::Attribute& attribute : tag->attribute("WM/Picture")) {
        const TagLib::ASF::Picture picture = attribute.toPicture();
        if (picture.isValid()) choice.offer(picture.picture(), picture.type());
    }
}

// APE keeps covers as binary items "Cover Art (Front)" and the like: a
// description, a zero byte, then the image.
void offerApe(const TagLib::APE::Tag* tag, PictureChoice& choice) {
    if (!tag) return;
    for (const auto& item : tag->itemListMap()) {
        if (!item.first.startsWith("COVER ART") ||
            item.second.type() != TagLib::APE::Item::Binary) {
            continue;
        }
        const TagLib::ByteVector value = item.second.binaryData();
        const int end = value.find('\0');
        if (end < 0) continue;
        choice.offer(value.mid(static_cast<unsigned int>(end) + 1),
                     item.first == "COVER ART (FRONT)" ? kFrontCover : kUntyped);
    }
}

template <class FileType>
FileType* as(TagLib::File* file) {
    return dynamic_cast<FileType*>(file);
}

void offerPictures(TagLib::File* file, PictureChoice& choice) {
    namespace T = TagLib;
    if (auto* mpeg = as<T::MPEG::File>(file)) {
        offerId3v2(mpeg->ID3v2Tag(), choice);
        offerApe(mpeg->APETag(), choice);
    } else if (auto* flac = as<T::FLAC::File>(file)) {
        offerFlacPictures(flac->pictureList(), choice);
        offerXiph(flac->xiphComment(), choice);
        offerId3v2(flac->ID3v2Tag(), choice);
    } else if (auto* mp4 = as<T::MP4::File>(file)) {
        offerMp4(mp4->tag(), choice);
    } else if (auto* asf = as<T::ASF::File>(file)) {
        offerAsf(asf->tag(), choice);
    } else if (auto* vorbis = as<T::Ogg::Vorbis::File>(file)) {
        offerXiph(vorbis->tag(), choice);
    } else if (auto* opus = as<T::Ogg::Opus::File>(file)) {
        offerXiph(opus->tag(), choice);
    } else if (auto* speex = as<T::Ogg::Speex::File>(file)) {
        offerXiph(speex->tag(), choice);
    } else if (auto* oggFlac = as<T::Ogg::FLAC::File>(file)) {
        offerXiph(oggFlac->tag(), choice);
    } else if (auto* ape = as<T::APE::File>(file)) {
        offerApe(ape->APETag(), choice);
    } else if (auto* wavPack = as<T::WavPack::File>(file)) {
        offerApe(wavPack->APETag(), choice);
    } else if (auto* mpc = as<T::MPC::File>(file)) {
        offerApe(mpc->APETag(), choice);
    } else if (auto* wav = as<T::RIFF::WAV::File>(file)) {
        offerId3v2(wav->ID3v2Tag(), choice);
    } else if (auto* aiff = as<T::RIFF::AIFF::File>(file)) {
        offerId3v2(aiff->tag(), choice);
    } else if (auto* trueAudio = as<T::TrueAudio::File>(file)) {
        offerId3v2(trueAudio->ID3v2Tag(), choice);
    }
}

void report(std::string* failure, const char* why) noexcept {
    if (!failure) return;
    try {
        *failure = why;
    } catch (...) {
        // No memory for the reason: it goes untold.
    }
}

std::vector<uint8_t> pictureOf(BoundedTagStream& stream, std::string* failure) {
    if (!stream.isOpen()) {
        report(failure, "cannot be opened");
        return {};
    }
    const TagLib::FileRef song(&stream, false);
    if (stream.exhausted()) {
        report(failure, "tags beyond the read limits");
        return {};
    }
    // A type without tag reader is no failure: many libraries hold such files.
    if (song.isNull()) return {};
    if (!song.file()->isValid()) {
        report(failure, "not a valid file of its type");
        return {};
    }
    PictureChoice choice;
    offerPictures(song.file(), choice);
    if (choice.onlyOversized()) report(failure, "picture over the size limit");
    return choice.take();
}

}  // namespace

std::vector<uint8_t> readSongPicture(const char* path, std::string* failure) {
    if (!path || !*path) return {};
    try {
        BoundedTagStream stream(std::make_unique<TagLib::FileStream>(path, true), kSongLimits);
        return pictureOf(stream, failure);
    } catch (const std::exception& exception) {
        report(failure, exception.what());  // out of memory inside TagLib, most likely
    } catch (...) {
        report(failure, "unknown exception");
    }
    return {};
}

std::vector<uint8_t> readSongPicture(const uint8_t* data, std::size_t size, const char* name) {
    if (!data || size > kSongLimits.maxTotal) return {};
    try {
        const TagLib::ByteVector bytes(reinterpret_cast<const char*>(data),
                                       static_cast<unsigned int>(size));
        BoundedTagStream stream(std::make_unique<TagLib::ByteVectorStream>(bytes), kSongLimits,
                                name ? name : "");
        return pictureOf(stream, nullptr);
    } catch (...) {
        return {};
    }
}
