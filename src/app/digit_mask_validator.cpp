#include "app/digit_mask_validator.h"

#include <algorithm>

#include "tracklist/cell_rules.h"

namespace quilmark {

DigitMaskValidator::DigitMaskValidator(int digits, QString original, QObject* parent)
    : QValidator(parent), digits_(digits), original_(std::move(original)) {}

QValidator::State DigitMaskValidator::validate(QString& input, int&) const {
  const std::string text = input.toStdString();
  if (IsAllDigits(text) && input.size() <= digits_) return Acceptable;
  const bool noWorse = KeepsNonDigitsOf(original_.toStdString(), text) &&
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
