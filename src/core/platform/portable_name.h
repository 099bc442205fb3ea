// File names that every system the files may travel to can hold: the
// music folder may be copied to a memory card or a Windows share later, so
// a name made from tag text keeps to the strictest rules.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quilmark::platform {

// The most bytes a name may take here.
inline constexpr std::size_t kMaxNameBytes = 255;

// `stem` + `extension` made portable: control characters and \ / : * ? " < >
// | become "_", a name Windows keeps for a device (CON, PRN, AUX, NUL,
// COM1..9, LPT1..9, before the first dot, in any case) gets "_" after it,
// dots and blanks at the end go, and a stem too long is cut (between
// characters) so that the whole fits kMaxNameBytes. "" when nothing is left.
std::string PortableFileName(std::string_view stem, std::string_view extension);

}  // namespace quilmark::platform
