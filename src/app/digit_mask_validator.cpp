#include "app/digit_mask_validator.h"

#include <algorithm>

namespace quilmark {

namespace {

int NonDigits(const QString& s) {
  int n = 0;
  for (QChar ch : s) n += (ch < u'0' || ch > u'9') ? 1 : 0;
  return n;
}

}  // namespace

DigitMaskValidator::DigitMaskValidator(int digits, QString original, QObject* parent)
    : QValidator(parent), digits_(digits), original_(std::move(original)) {}

QValidator::State DigitMaskValidator::validate(QString& input, int&) const {
  const int others = NonDigits(input);
  if (others == 0 && input.size() <= digits_) return Acceptable;
  const bool noWorse = others <= NonDigits(original_) &&
                       input.size() <= std::max<qsizetype>(digits_, original_.size());
  return noWorse ? Intermediate : Invalid;
}

// How many digit positions a mask in the stored notation ("0000;0") has,
// or 0 when it is no digit mask.
int MaskDigits(const std::string& mask) {
  const std::string body = mask.substr(0, mask.find(';'));
  if (body.empty()) return 0;
  for (char ch : body) {
    if (ch != '0' && ch != '9') return 0;
  }
  return static_cast<int>(body.size());
}

}  // namespace quilmark
