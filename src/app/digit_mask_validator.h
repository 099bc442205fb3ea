// The in-place editor's check for the stored edit mask of No. and Year
// ("0000;0": four optional digit positions, literals not kept). Qt's input
// masks would show blank placeholders and force overwrite typing, so the
// editor takes this validator instead: ASCII digits only, at most four,
// fewer allowed. A cell that already holds other text (read from a file)
// opens as it is, and may still be shortened or corrected; it just cannot
// gain a character other than a digit (the rule bulk commands follow).
#pragma once

#include <QValidator>
#include <string>

namespace quilmark {

class DigitMaskValidator : public QValidator {
 public:
  DigitMaskValidator(int digits, QString original, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  int digits_;
  QString original_;
};

// How many digit positions a mask in the stored notation ("0000;0") has,
// or 0 when it is no digit mask.
int MaskDigits(const std::string& mask);

}  // namespace quilmark
