#include "support/gui_test_support.h"

#include "bridge/read_file_tags.h"
#include "support/mp3_maker.h"

namespace quilmark::testing {

namespace {

std::string Utf16Frame(const char* id, const QString& text) {
  const QByteArray units = QStringEncoder(QStringConverter::Utf16LE).encode(text);
  return Frame23(id, std::string("\x01\xFF\xFE", 3) + units.toStdString());
}

std::vector<ModalScript::Step> AnswerSteps(const std::vector<QMessageBox::StandardButton>& answers,
                                           const std::shared_ptr<QStringList>& seen) {
  std::vector<ModalScript::Step> steps;
  for (QMessageBox::StandardButton answer : answers) {
    steps.push_back([seen, answer](QWidget* modal) {
      *seen << static_cast<QMessageBox*>(modal)->text();
      static_cast<QMessageBox*>(modal)->button(answer)->click();
    });
  }
  return steps;
}

}  // namespace

void WriteTaggedMp3(const std::string& path, const QString& title) {
  WriteBytes(path, Id3v2Tag(3, Utf16Frame("TIT2", title)) + MpegAudio(3));
}

std::string FieldOnDisk(const std::string& path, Field field) {
  TrackGrid reread;
  if (ReadFileTags(reread, path).row != 1) return "(unreadable)";
  return reread.FieldCell(field, 1);
}

bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

void TypeText(QWidget* target, const QString& text) {
  for (QChar ch : text) {
    QWidget* receiver =
        QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : target;
    QTest::sendKeyEvent(QTest::Click, receiver, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}

void WindowFixture::Reset() {
  Close();
  folder_ = std::make_unique<TempDir>();
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder_->File("config")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder_->File("data")));
}

bool WindowFixture::Open(const std::vector<std::string>& files) {
  window_.reset();
  hkcu_ = std::make_unique<platform::UserRegistry>(platform::UserRegistry::DefaultPath());
  window_ = std::make_unique<MainWindow>(*hkcu_, files);
  return ShowActive(*window_);
}

void WindowFixture::Close() {
  window_.reset();
  hkcu_.reset();
  folder_.reset();
}

std::vector<std::string> WindowFixture::Songs(const QStringList& titles) {
  std::vector<std::string> paths;
  for (const QString& title : titles) {
    paths.push_back(folder_->File((title + QStringLiteral(".mp3")).toStdString()));
    WriteTaggedMp3(paths.back(), title);
  }
  return paths;
}

MessageBoxAnswers::MessageBoxAnswers(const std::vector<QMessageBox::StandardButton>& answers)
    : script_(AnswerSteps(answers, seen_), true) {}

}  // namespace quilmark::testing
