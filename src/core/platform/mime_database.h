// The desktop's MIME database (shared-mime-info): which type a file name
// has, by the "globs2" files of the data folders, and which types exist.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/xdg_dirs.h"

namespace quilmark::platform {

// The MIME type the database gives files named "*<extension>" (".mp3"),
// letter case ignored unless the glob says otherwise ("cs"); the heaviest
// glob wins, the first listed on a tie. Folders take precedence in the
// order of DataSearchPath, and a "__NOGLOBS__" line drops what less
// important folders say about its type. nullopt when no glob matches.
std::optional<std::string> MimeTypeForExtension(const XdgDirs& dirs, std::string_view extension);

// Whether the database lists the MIME type (in a "types" or "globs2" file).
bool IsKnownMimeType(const XdgDirs& dirs, std::string_view mimeType);

// "type/subtype" of letters, digits and "+-._", one slash, neither half
// empty.
bool IsMimeTypeName(std::string_view s);

}  // namespace quilmark::platform
