#include "app/qt_text_width.h"

#include <QString>

namespace quilmark {

namespace {
// Past this many distinct texts the cache is dropped and refilled, so that
// a long session does not keep every title ever measured.
constexpr std::size_t kCacheLimit = 50000;
}  // namespace

QtTextWidth::QtTextWidth(const QFont& font, int padding) : metrics_(font), padding_(padding) {}

int QtTextWidth::Width(std::string_view utf8) const {
  if (utf8.empty()) return 0;
  std::string key(utf8);
  if (auto it = cache_.find(key); it != cache_.end()) return it->second;
  const int width = metrics_.horizontalAdvance(
                        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))) +
                    padding_;
  if (cache_.size() >= kCacheLimit) cache_.clear();
  cache_.emplace(std::move(key), width);
  return width;
}

}  // namespace quilmark
