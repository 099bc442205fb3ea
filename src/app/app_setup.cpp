#include "app/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

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

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("quilmark"));
  QApplication::setOrganizationName(QStringLiteral("QUIL"));
  app.setFont(WindowFont());
}

}  // namespace quilmark
