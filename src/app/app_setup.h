// Application-wide set-up shared by the program and its tests: names and
// the font every window uses.
#pragma once

class QApplication;
class QFont;

namespace quilmark {

// The window font: "ＭＳ Ｐゴシック" at 12 pixels where installed, else IPA
// P Gothic (same metrics), set explicitly so that mixed Japanese and Latin
// text does not fall back to odd sizes.
QFont WindowFont();

// Application name and font.
void SetUpApplication(QApplication& app);

}  // namespace quilmark
