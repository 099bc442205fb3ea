#include "app/app_setup.h"

#include <QApplication>
#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "app/program_files.h"
#include "platform/version_info.h"

namespace quilmark {

QFont WindowFont() {
  const QStringList installed = QFontDatabase::families();
  QString family;
  for (const char* candidate : {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPAPゴシック"}) {
    if (installed.contains(QString::fromUtf8(candidate), Qt::CaseInsensitive)) {
      family = QString::fromUtf8(candidate);
      break;
    }
  }
  QFont font = QApplication::font();
  if (!family.isEmpty()) font.setFamily(family);
  font.setPixelSize(12);
  return font;
}

QIcon ProgramIcon() {
  QIcon icon;
  QDirIterator pictures(QStringLiteral(":/quilmark/icons"), {QStringLiteral("*.png")}, QDir::Files,
                        QDirIterator::Subdirectories);
  while (pictures.hasNext()) icon.addFile(pictures.next());
  return icon;
}

QStringList TranslationFolders() {
  return {QString::fromStdString(InstalledDataFolder(platform::OwnProgramPath())) +
              QStringLiteral("translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QStringList LoadQtTranslations(QApplication& app) {
  // Dates and numbers in the file dialogs follow the texts.
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  QStringList loaded;
  // "qt_ja" brings the base module's texts (buttons, dialogs, edit menus),
  // "qt_help_ja" the help window's.
  for (const QString& catalogue : {QStringLiteral("qt_ja"), QStringLiteral("qt_help_ja")}) {
    auto translator = std::make_unique<QTranslator>(&app);
    for (const QString& folder : TranslationFolders()) {
      if (translator->load(catalogue, folder)) {
        loaded << translator->filePath();
        QApplication::installTranslator(translator.release());
        break;
      }
    }
  }
  return loaded;
}

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("quilmark"));
  QApplication::setOrganizationName(QStringLiteral("QUIL"));
  // Ties the windows to the installed menu entry (and so to its icon).
  QGuiApplication::setDesktopFileName(QStringLiteral("quilmark"));
  QApplication::setWindowIcon(ProgramIcon());
  LoadQtTranslations(app);
  app.setFont(WindowFont());
}

}  // namespace quilmark
