#include "catalogue/genre_names.h"

#include "catalogue/genre_pieces.h"

void GenreNames::addSongGenre(std::string_view text) {
    if (text.empty()) {
        add(text);
        return;
    }
    forEachGenrePiece(text, [this](std::string_view piece) {
        if (!piece.empty()) add(piece);
        return false;
    });
}

void GenreNames::add(std::string_view name) {
    if (listed_.emplace(name).second) names_.emplace_back(name);
}

void GenreNames::clear() {
    names_.clear();
    listed_.clear();
}
