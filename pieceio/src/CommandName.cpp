#include <cstring>

#include "PieceFile.h"

namespace pieceio {

void CopyCommandName(const char* text, char* name, int size) {
    // A size below 1 leaves no room even for the terminator.
    if (!name || size <= 0) return;
    std::strncpy(name, text, static_cast<size_t>(size));
    name[size - 1] = '\0';
}

}  // namespace pieceio
