// Line ends of multi-line tag text (the comment's long text): every CR LF,
// lone CR and lone LF becomes CR LF as the grid keeps it; ToLf removes the
// CRs again before a text is written.
#pragma once

#include <string>
#include <string_view>

namespace quilmark {

std::string ToCrLf(std::string_view text);
std::string ToLf(std::string_view text);

}  // namespace quilmark
