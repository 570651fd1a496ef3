#include "document/ShownCollection.h"

#include "document/DocumentFile.h"

namespace kelmaz {

void ShownCollection::opened(std::string_view text, int game) {
    text_ = std::string(text);
    game_ = game;
    openedAt_ = game >= 0 ? clears_() : -1;
}

bool ShownCollection::shown() const { return openedAt_ >= 0 && openedAt_ == clears_(); }

std::string ShownCollection::bytesWith(std::string_view gameText) const {
    RecordDocument document;
    document.read(text_);
    // The game is the board's in any case: should the file's games not be found again, it is
    // written alone rather than lost.
    if (!document.replaceGame(game_, gameText)) document.read(gameText);
    return documentFileBytes(document);
}

}  // namespace kelmaz
