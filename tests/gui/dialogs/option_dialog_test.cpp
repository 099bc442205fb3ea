// The options dialog against a temporary set of XDG folders: OK applies each
// control to its own setting, Cancel changes nothing, and the associations
// appear and disappear as the user's own desktop entry, without taking over
// what opens a type and, once the program is installed, as its one entry.
#include "dialogs/option_dialog.h"

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <map>

#include "platform/desktop_associations.h"
#include "support/gui_test_support.h"
#include "xdg_sandbox.h"

namespace quilmark::testing {
namespace {

using platform::DesktopAssociations;
using platform::RegValue;

std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) files[e.path().string()] = ReadBytes(e.path().string());
  }
  return files;
}

void Press(QWidget* d, const char* button) { Child<QPushButton>(d, button)->click(); }

// Opens the dialog on `reg`, sets the association boxes named ("MP3" for
// "cbAssociateMP3") and presses `button`. Returns the boxes as the dialog
// first showed them, MP3, M3U, PLS, CSV: '1' ticked, '0' not, '-' disabled.
std::string Associate(platform::RegistryBackend& reg, const std::map<std::string, bool>& boxes = {},
                      const char* button = "btnOK") {
  std::string shown;
  ModalScript script({[&](QWidget* d) {
    for (const char* type : {"MP3", "M3U", "PLS", "CSV"}) {
      const auto* box = Child<QCheckBox>(d, ("cbAssociate" + std::string(type)).c_str());
      shown += !box->isEnabled() ? '-' : box->isChecked() ? '1' : '0';
    }
    for (const auto& [type, checked] : boxes) {
      Child<QCheckBox>(d, ("cbAssociate" + type).c_str())->setChecked(checked);
    }
    Press(d, button);
  }});
  Settings settings;
  ShowOptionDialog(nullptr, settings, reg);
  return shown;
}

// Changes one control: a box or a CSV column ("clbv1:<item>") flips, a list
// moves to its next item.
void Change(QWidget* d, const std::string& name) {
  if (auto* box = d->findChild<QCheckBox*>(QString::fromStdString(name))) return box->toggle();
  if (auto* combo = d->findChild<QComboBox*>(QString::fromStdString(name))) {
    return combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
  }
  QListWidgetItem* item = Child<QListWidget>(d, "clbv1")->item(std::stoi(name.substr(6)));
  item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

// A classes root whose values cannot be written, as without the right to.
struct RefusingRegistry : DesktopAssociations {
  using DesktopAssociations::DesktopAssociations;
  void WriteValue(const std::string& key, const std::string&, const RegValue&) override {
    throw platform::RegistryError("access denied: " + key);
  }
};

}  // namespace

class OptionDialog : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<XdgSandbox> tmp_;
  std::unique_ptr<DesktopAssociations> reg_;
  DesktopAssociations::Options options_;

 private slots:
  void init() {
    tmp_ = std::make_unique<XdgSandbox>(
        "50:audio/mpeg:*.mp3\n50:audio/x-mpegurl:*.m3u\n50:text/csv:*.csv\n");
    options_ = {{tmp_->File("data"), {tmp_->File("system")}, tmp_->File("config"), {}, {}}, "", ""};
    reg_ = std::make_unique<DesktopAssociations>(options_);
  }

  // One control of each kind alone, from settings unlike the defaults, so
  // that a control shown from or applied to another setting shows up.
  void okAppliesEachControlToItsOwnSettingAndCancelChangesNothing() {
    Settings base;
    base.SaveSettings = false;
    base.Charset = Charset::EucJp;
    for (std::size_t i = 0; i < kCsvFlagCount; i += 2) base.CSV[i] = false;
    const std::pair<std::string, std::function<void(Settings&)>> controls[] = {
        {"cbSaveSettings", [](Settings& s) { s.SaveSettings ^= true; }},
        {"cmbCharset", [](Settings& s) { s.Charset = Charset::Utf16Le; }},
        {"clbv1:0", [](Settings& s) { s.CSV[0] ^= true; }},
    };
    for (const auto& [name, apply] : controls) {
      for (bool ok : {true, false}) {
        Settings settings = base;
        ModalScript script({[&](QWidget* d) {
          Change(d, name);
          Press(d, ok ? "btnOK" : "btnCancel");
        }});
        QCOMPARE(ShowOptionDialog(nullptr, settings, *reg_), ok);
        Settings expected = base;
        if (ok) apply(expected);
        QVERIFY2(settings == expected, name.c_str());
      }
    }
  }

  // The PLS box stays disabled: the MIME database knows no type for it.
  void associationsComeAndGoAsTheDesktopEntryAndNothingElse() {
    const auto initial = Snapshot(tmp_->tmp.Path());
    QCOMPARE(Associate(*reg_, {{"MP3", true}, {"M3U", true}, {"CSV", true}}), std::string("00-0"));
    const std::string command =
        "\"" + QCoreApplication::applicationFilePath().toStdString() + "\" \"%1\"";
    QCOMPARE(reg_->ReadValue("\\audio/mpeg\\shell\\quilmark\\command", ""),
             RegValue::String(command));
    const auto associated = Snapshot(tmp_->tmp.Path());
    const std::map<std::string, bool> none = {{"MP3", false}, {"M3U", false}, {"CSV", false}};
    QCOMPARE(Associate(*reg_, none, "btnCancel"), std::string("11-1"));
    QVERIFY(Snapshot(tmp_->tmp.Path()) == associated);
    Associate(*reg_, none);
    QVERIFY(Snapshot(tmp_->tmp.Path()) == initial);
  }

  // A stand-in player opens MP3 files before the tick, with no default
  // written down anywhere; after it, the player is written down as the default.
  void tickingATypeLeavesWhatOpensItByDefault() {
    const std::string apps = tmp_->File("system/applications/");
    WriteBytes(apps + "player.desktop",
               "[Desktop Entry]\nType=Application\nName=Player\nExec=true %f\n"
               "MimeType=audio/mpeg;\n");
    QProcess::execute("update-desktop-database", {QString::fromStdString(apps)});

    options_.refreshTool = "update-desktop-database";  // as the program runs it
    DesktopAssociations reg(options_);
    Associate(reg, {{"MP3", true}, {"CSV", true}});
    // Written down for the type that had a player, and only for it.
    QCOMPARE(ReadBytes(tmp_->File("config/mimeapps.list")),
             std::string("[Default Applications]\naudio/mpeg=player.desktop\n"));
  }

  // The package's menu entry lists the types; the boxes change them through a
  // copy under the same name, which goes again once it matches the package's.
  void installedTheMenuEntryIsTheOneEntryTheBoxesChange() {
    const std::string installed = ReadBytes(QUILMARK_MENU_ENTRY);
    std::string copy = installed;
    const std::string types = "MimeType=audio/mpeg;audio/x-mpegurl;audio/x-scpls;text/csv;\n";
    copy.replace(copy.find(types), types.size(), "MimeType=audio/mpeg;audio/x-scpls;\n");
    WriteBytes(tmp_->File("system/applications/quilmark.desktop"), installed);
    auto userFiles = [&] { return Snapshot(tmp_->File("data")); };
    const std::map<std::string, std::string> onlyTheCopy = {{reg_->EntryPath(), copy}};

    QCOMPARE(Associate(*reg_, {{"M3U", false}, {"CSV", false}}), std::string("11-1"));
    QVERIFY(userFiles() == onlyTheCopy);  // name, icon and command the package's
    Associate(*reg_, {{"M3U", true}, {"CSV", true}});
    QVERIFY(userFiles().empty());
  }

  void aRefusedWriteIsShownAndKeepsTheDialogOpenWithSettingsUntouched() {
    RefusingRegistry refusing(options_);
    Settings settings;
    TFormQUILMARKOption dialog(nullptr, settings, refusing, "/usr/bin/quilmark");
    dialog.show();
    Child<QCheckBox>(&dialog, "cbSaveSettings")->toggle();
    Child<QCheckBox>(&dialog, "cbAssociateMP3")->setChecked(true);
    MessageBoxAnswers answers({QMessageBox::Ok});
    Press(&dialog, "btnOK");
    QCOMPARE(answers.Seen().size(), 1);
    QVERIFY(answers.Seen()[0].contains("access denied"));
    QVERIFY(dialog.isVisible() && settings == Settings{});
  }
};

}  // namespace quilmark::testing

QTEST_MAIN(quilmark::testing::OptionDialog)
#include "option_dialog_test.moc"
