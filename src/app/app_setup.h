// Application-wide set-up shared by the program and its tests: names, the
// icon, Qt's own texts in Japanese, and the font every window uses.
#pragma once

#include <QStringList>

class QApplication;
class QFont;
class QIcon;

namespace quilmark {

// The window font: "ＭＳ Ｐゴシック" at 12 pixels where installed, else IPA
// P Gothic (same metrics), set explicitly so that mixed Japanese and Latin
// text does not fall back to odd sizes.
QFont WindowFont();

// The program's icon at every size the build rendered.
QIcon ProgramIcon();

// The folders searched, in order, for Qt's Japanese translations: the
// program's own data folder, then Qt's.
QStringList TranslationFolders();

// Makes Qt's own texts (standard buttons, file dialogs, an edit field's
// context menu, the help window's parts) Japanese whatever the session's
// language, as the rest of the window is. Returns the catalogues loaded.
QStringList LoadQtTranslations(QApplication& app);

// Application name, desktop entry, icon, Qt's Japanese texts and font.
void SetUpApplication(QApplication& app);

}  // namespace quilmark
