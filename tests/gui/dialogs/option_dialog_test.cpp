// The options dialog against a temporary set of XDG folders: OK applies
// every control, Cancel changes nothing, and the associations appear and
// disappear as the user's own desktop entry.
#include "dialogs/option_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>
#include <map>

#include "modal_script.h"
#include "platform/desktop_associations.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using quilmark::Settings;
using quilmark::platform::DesktopAssociations;
using quilmark::platform::RegistryError;
using quilmark::platform::RegValue;
using quilmark::testing::Child;
using quilmark::testing::ModalScript;
using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

namespace {

std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) files[e.path().string()] = ReadBytes(e.path().string());
  }
  return files;
}

constexpr const char* kBoxes[] = {"cbSaveSettings", "cbAssociateMP3", "cbAssociateM3U",
                                  "cbAssociatePLS", "cbAssociateCSV", "cbFileTime",
                                  "cbForceWrite",   "cbWriteConfirm", "cbAbsolute"};

// Flips every enabled box, picks other list items, and checks only the
// artist and title CSV columns.
void ChangeEverything(QWidget* d) {
  for (const char* name : kBoxes) {
    auto* box = Child<QCheckBox>(d, name);
    if (box->isEnabled()) box->setChecked(!box->isChecked());
  }
  Child<QComboBox>(d, "cmbCharset")->setCurrentIndex(3);
  Child<QComboBox>(d, "cmbWriteTag")->setCurrentIndex(0);
  auto* csv = Child<QListWidget>(d, "clbv1");
  for (int i = 0; i < csv->count(); ++i) {
    csv->item(i)->setCheckState(i == 1 || i == 2 ? Qt::Checked : Qt::Unchecked);
  }
}

void Press(QWidget* d, const char* button) { Child<QPushButton>(d, button)->click(); }

// A classes root whose values cannot be written, as without the right to.
class RefusingRegistry : public quilmark::platform::RegistryBackend {
 public:
  explicit RefusingRegistry(quilmark::platform::RegistryBackend& inner) : inner_(inner) {}
  bool KeyExists(const std::string& k) const override { return inner_.KeyExists(k); }
  std::optional<RegValue> ReadValue(const std::string& k, const std::string& n) const override {
    return inner_.ReadValue(k, n);
  }
  void CreateKey(const std::string&) override {}
  void WriteValue(const std::string& k, const std::string&, const RegValue&) override {
    throw RegistryError("access denied: " + k);
  }
  bool DeleteKey(const std::string&) override { return false; }
  std::vector<std::string> SubKeys(const std::string& k) const override {
    return inner_.SubKeys(k);
  }
  void Flush() override {}

 private:
  quilmark::platform::RegistryBackend& inner_;
};

}  // namespace

class OptionDialog : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempDir> tmp_;
  std::unique_ptr<DesktopAssociations> reg_;
  std::string entry_;

  std::string VerbKey(const std::string& mime) { return "\\" + mime + "\\shell\\quilmark"; }

 private slots:
  void init() {
    tmp_ = std::make_unique<TempDir>();
    quilmark::platform::XdgDirs dirs;
    dirs.dataHome = tmp_->File("home");
    dirs.dataDirs = {tmp_->File("system")};
    fs::create_directories(dirs.dataDirs[0] + "/mime");
    fs::create_directories(dirs.dataHome);
    WriteBytes(dirs.dataDirs[0] + "/mime/globs2",
               "50:audio/mpeg:*.mp3\n50:audio/x-mpegurl:*.m3u\n50:text/csv:*.csv\n");
    reg_ = std::make_unique<DesktopAssociations>(DesktopAssociations::Options{dirs, "/unused", ""});
    entry_ = reg_->EntryPath();
  }

  void controlsCarryTheirCaptions() {
    Settings settings;
    quilmark::TFormQUILMARKOption dialog(nullptr, settings, *reg_, "/p");
    QCOMPARE(dialog.windowTitle(), QString("オプション"));
    auto* pc = Child<QTabWidget>(&dialog, "pc");
    QCOMPARE(pc->count(), 3);
    QCOMPARE(pc->tabText(0), QString("全般"));
    QCOMPARE(pc->tabText(1), QString("MP3書き込み"));
    QCOMPARE(pc->tabText(2), QString("CSV書き込み"));
    QCOMPARE(Child<QCheckBox>(&dialog, "cbAssociatePLS")->text(),
             QString("プレイリストファイル(.&PLS)に関連付ける"));
    QCOMPARE(Child<QCheckBox>(&dialog, "cbAbsolute")->text(),
             QString("プレイリスト/CSV内のパスを相対パスにする(&P)"));
    auto* charset = Child<QComboBox>(&dialog, "cmbCharset");
    QCOMPARE(charset->itemText(3), QString("Unicode big endian"));
    QCOMPARE(Child<QComboBox>(&dialog, "cmbWriteTag")->count(), 3);
    auto* csv = Child<QListWidget>(&dialog, "clbv1");
    QCOMPARE(csv->count(), 17);
    QCOMPARE(csv->item(0)->text(), QString("№"));
    QCOMPARE(csv->item(16)->text(), QString("Org年"));
    bool labelled = false;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
      if (label->text() == QString("文字コード(&C)")) labelled = label->buddy() == charset;
    }
    QVERIFY(labelled);
  }

  void showingReadsTheSettingsAndTheAssociations() {
    reg_->CreateKey(VerbKey("text/csv"));
    Settings settings;
    settings.SaveSettings = false;
    settings.WriteConfirm = true;
    settings.Charset = 1;
    settings.WriteTagVersion = 1;
    settings.CSV.fill(false);
    settings.CSV[16] = true;
    quilmark::TFormQUILMARKOption dialog(nullptr, settings, *reg_, "/p");
    dialog.show();
    auto state = [&](const char* name) {
      auto* box = Child<QCheckBox>(&dialog, name);
      return std::pair(box->isEnabled(), box->isChecked());
    };
    QCOMPARE(state("cbAssociateMP3"), std::pair(true, false));
    QCOMPARE(state("cbAssociatePLS"), std::pair(false, false));  // no file type
    QCOMPARE(state("cbAssociateCSV"), std::pair(true, true));
    QCOMPARE(state("cbSaveSettings").second, false);
    QCOMPARE(state("cbWriteConfirm").second, true);
    QCOMPARE(state("cbFileTime").second, false);
    QCOMPARE(Child<QComboBox>(&dialog, "cmbCharset")->currentIndex(), 1);
    QCOMPARE(Child<QComboBox>(&dialog, "cmbWriteTag")->currentIndex(), 1);
    auto* csv = Child<QListWidget>(&dialog, "clbv1");
    QCOMPARE(csv->item(16)->checkState(), Qt::Checked);
    QCOMPARE(csv->item(0)->checkState(), Qt::Unchecked);
  }

  void okAppliesEveryControlAndWritesTheVerbs() {
    Settings settings;
    settings.CSV.fill(true);
    ModalScript script({[](QWidget* d) {
      ChangeEverything(d);
      Press(d, "btnOK");
    }});
    QVERIFY(quilmark::ShowOptionDialog(nullptr, settings, *reg_));
    QVERIFY(!script.StuckOpen());
    const Settings defaults;
    QCOMPARE(settings.SaveSettings, !defaults.SaveSettings);
    QCOMPARE(settings.FileTime, !defaults.FileTime);
    QCOMPARE(settings.ForceWrite, !defaults.ForceWrite);
    QCOMPARE(settings.WriteConfirm, !defaults.WriteConfirm);
    QCOMPARE(settings.AbsolutePath, !defaults.AbsolutePath);
    QCOMPARE(settings.Charset, 3);
    QCOMPARE(settings.WriteTagVersion, 0);
    std::string flags;
    for (bool f : settings.CSV) flags += f ? '1' : '0';
    QCOMPARE(flags, std::string("01100000000000000"));

    const std::string command =
        "\"" + QCoreApplication::applicationFilePath().toStdString() + "\" \"%1\"";
    for (const char* mime : {"audio/mpeg", "audio/x-mpegurl", "text/csv"}) {
      QVERIFY2(reg_->KeyExists(VerbKey(mime)), mime);
      QCOMPARE(reg_->ReadValue(VerbKey(mime), ""), RegValue::String("タグ編集"));
      QCOMPARE(reg_->ReadValue(VerbKey(mime) + "\\command", ""), RegValue::String(command));
    }
  }

  void cancelAfterChangingEverythingChangesNothing() {
    reg_->CreateKey(VerbKey("text/csv"));
    const auto files = Snapshot(tmp_->Path());
    Settings settings;
    settings.Charset = 2;
    const Settings before = settings;
    for (bool esc : {false, true}) {
      ModalScript script({[esc](QWidget* d) {
        ChangeEverything(d);
        if (esc) {
          QTest::keyClick(d, Qt::Key_Escape);
        } else {
          Press(d, "btnCancel");
        }
      }});
      QVERIFY(!quilmark::ShowOptionDialog(nullptr, settings, *reg_));
    }
    QCOMPARE(settings.SaveSettings, before.SaveSettings);
    QCOMPARE(settings.FileTime, before.FileTime);
    QCOMPARE(settings.ForceWrite, before.ForceWrite);
    QCOMPARE(settings.WriteConfirm, before.WriteConfirm);
    QCOMPARE(settings.AbsolutePath, before.AbsolutePath);
    QCOMPARE(settings.Charset, before.Charset);
    QCOMPARE(settings.WriteTagVersion, before.WriteTagVersion);
    QVERIFY(settings.CSV == before.CSV);
    QVERIFY(Snapshot(tmp_->Path()) == files);
  }

  void checkingTwiceThenUncheckingLeavesTheFoldersAsTheyWere() {
    const auto initial = Snapshot(tmp_->Path());
    Settings settings;
    auto setMp3 = [&](bool on) {
      ModalScript script({[on](QWidget* d) {
        Child<QCheckBox>(d, "cbAssociateMP3")->setChecked(on);
        Press(d, "btnOK");
      }});
      QVERIFY(quilmark::ShowOptionDialog(nullptr, settings, *reg_));
    };
    setMp3(true);
    QVERIFY(fs::exists(entry_));
    const std::string once = ReadBytes(entry_);
    setMp3(true);
    QCOMPARE(ReadBytes(entry_), once);
    QVERIFY(once.find("MimeType=audio/mpeg;\n") != std::string::npos);
    setMp3(false);
    QVERIFY(!fs::exists(entry_));
    QVERIFY(Snapshot(tmp_->Path()) == initial);
  }

  void aRefusedWriteIsShownAndKeepsTheDialogOpenWithSettingsUntouched() {
    RefusingRegistry refusing(*reg_);
    Settings settings;
    const bool saveBefore = settings.SaveSettings;
    QString shown;
    bool stillOpen = false;
    ModalScript script({[saveBefore](QWidget* d) {
                          Child<QCheckBox>(d, "cbSaveSettings")->setChecked(!saveBefore);
                          Child<QCheckBox>(d, "cbAssociateMP3")->setChecked(true);
                          Press(d, "btnOK");
                        },
                        [&](QWidget* box) {
                          shown = static_cast<QMessageBox*>(box)->text();
                          static_cast<QMessageBox*>(box)->accept();
                        },
                        [&](QWidget* d) {
                          stillOpen = qobject_cast<quilmark::TFormQUILMARKOption*>(d) != nullptr;
                          Press(d, "btnCancel");
                        }});
    QVERIFY(!quilmark::ShowOptionDialog(nullptr, settings, refusing));
    QCOMPARE(script.Remaining(), 0);
    QVERIFY(shown.contains("access denied"));
    QVERIFY(stillOpen);
    QCOMPARE(settings.SaveSettings, saveBefore);
  }
};

QTEST_MAIN(OptionDialog)
#include "option_dialog_test.moc"
