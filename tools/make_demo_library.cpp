// make-demo-library.exe: writes the demo library for the stand-in host.
//   make-demo-library <folder>                 album folders with covers (image
//                                              files, or pictures in the tracks'
//                                              tags) and placeholder tracks,
//                                              library.tsv
//   make-demo-library <folder> --songs N --folders F
//                                              only library.tsv, N songs in F
//                                              folders, no files (benchmarks)
#include "tools/cover_painter.h"
#include "tools/demo_catalogue.h"
#include "tools/wic_image_writer.h"

#include <windows.h>
#include <objbase.h>

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace coverhall;

void createFolders(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
        }
    }
}

bool writePlaceholder(const std::string& path, const std::string& title) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "Coverhall demo placeholder for \"%s\"; not audio.\n", title.c_str());
    return std::fclose(file) == 0;
}

// The picture as JPEG bytes, by way of a file beside the tracks.
std::string jpegBytes(const tools::CoverPicture& picture, const std::string& folder) {
    const std::string path = folder + "\\picture.tmp";
    std::string bytes;
    if (tools::writeImage(picture, tools::ImageFormat::Jpeg, path)) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    DeleteFileA(path.c_str());
    return bytes;
}

// Stores the picture as the front cover of the track's ID3v2 tag, as a
// ripper or a store does, with the same tag library the plug-in reads with.
bool embedPicture(const std::string& path, const std::string& jpeg) {
    if (jpeg.empty()) return false;
    TagLib::MPEG::File file(path.c_str());
    auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
    frame->setMimeType("image/jpeg");
    frame->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
    frame->setPicture(TagLib::ByteVector(jpeg.data(), static_cast<unsigned int>(jpeg.size())));
    file.ID3v2Tag(true)->addFrame(frame);
    return file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v3);
}

int writeAlbums(const std::string& root) {
    int failures = 0;
    std::vector<tools::DemoAlbum> albums = tools::demoAlbums();
    uint32_t seed = 0;
    for (const tools::DemoAlbum& album : albums) {
        const std::string folder = root + "\\" + album.folder;
        createFolders(folder);
        for (const tools::DemoImage& image : album.images) {
            tools::CoverPicture picture = tools::paintCover(seed++, image.size, image.size);
            const std::string path = folder + "\\" + image.fileName;
            createFolders(path.substr(0, path.rfind('\\')));
            if (!tools::writeImage(picture, tools::formatForName(image.fileName), path)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                ++failures;
            }
        }
        const std::string picture =
            album.picturesInSongs ? jpegBytes(tools::paintCover(seed++, 500, 500), folder) : "";
        int number = album.firstTrack;
        for (const tools::DemoTrack& track : album.tracks) {
            const std::string path = folder + "\\" + tools::trackFileName(number++, track.title);
            if (!writePlaceholder(path, track.title)) ++failures;
            if (album.picturesInSongs && !embedPicture(path, picture)) ++failures;
        }
    }
    std::vector<host::HostSong> songs = tools::demoSongs(albums, root);
    if (!host::writeLibraryFile(root + "\\library.tsv", songs)) ++failures;
    std::printf("%zu albums, %zu songs in %s\n", albums.size(), songs.size(), root.c_str());
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make-demo-library <folder> [--songs N --folders F]\n");
        return 2;
    }
    std::string root = argv[1];
    while (root.size() > 3 && (root.back() == '\\' || root.back() == '/')) root.pop_back();
    int songs = 0, folders = 0;
    for (int i = 2; i + 1 < argc; i += 2) {
        std::string name = argv[i];
        if (name == "--songs")
            songs = std::atoi(argv[i + 1]);
        else if (name == "--folders")
            folders = std::atoi(argv[i + 1]);
    }
    createFolders(root);
    if (songs > 0) {
        std::vector<host::HostSong> library = tools::largeLibrary(root, songs, folders);
        bool written = host::writeLibraryFile(root + "\\library.tsv", library);
        std::printf("%zu songs in %d folders: %s\\library.tsv\n", library.size(),
                    folders > 0 ? folders : 1, root.c_str());
        return written ? 0 : 1;
    }
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int failures = writeAlbums(root);
    if (SUCCEEDED(com)) CoUninitialize();
    return failures ? 1 : 0;
}
