// Find and replace in UTF-8 text: plain text or a regular expression in
// the system's syntax (ICU's, with $1 for a group in the replacement),
// letter case counting or not.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quilmark::platform {

class TextReplacer {
 public:
  struct Options {
    bool regex = false;
    bool caseSensitive = false;
  };

  TextReplacer(std::string_view find, std::string_view replacement, Options options);
  ~TextReplacer();
  TextReplacer(TextReplacer&&) noexcept;
  TextReplacer& operator=(TextReplacer&&) noexcept;

  // Empty while the pattern and the replacement can be used; else why not.
  const std::string& Error() const { return error_; }

  // `text` with every match replaced; `count` is set to the number of
  // matches. On an error (a replacement naming a group the pattern lacks)
  // the text comes back unchanged, count 0, and Error() says why.
  std::string Replace(std::string_view text, int& count);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string error_;
};

}  // namespace quilmark::platform
