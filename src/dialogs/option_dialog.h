// The options dialog: the in-memory settings and the "タグ編集" shell verb of
// four file types. OK applies (associations at once, settings in memory),
// Cancel changes nothing.
#pragma once

#include <QDialog>
#include <string>

#include "platform/registry.h"
#include "settings/settings.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace quilmark {

// Creates the dialog owned by `owner`, runs it modally and destroys it. True
// when OK applied the values. `classesRoot` serves HKEY_CLASSES_ROOT.
bool ShowOptionDialog(QWidget* owner, Settings& settings, platform::RegistryBackend& classesRoot);

// The verb's command line for a program: "<program>" "%1", quotes included.
std::string VerbCommandLine(const std::string& programPath);

// Controls are named as their fields ("cbSaveSettings", "cbAssociateMP3",
// "cmbCharset", "clbv1", "btnOK", ...); the pages are "tsGeneral", "tsMP3",
// "tsCSV" inside "pc".
class TFormQUILMARKOption : public QDialog {
  Q_OBJECT
 public:
  TFormQUILMARKOption(QWidget* owner, Settings& settings, platform::RegistryBackend& classesRoot,
                      std::string programPath);

  static constexpr int kDesignWidth = 321;
  static constexpr int kDesignHeight = 289;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void btnOKClick();
  void regget(const std::string& extension, QCheckBox* box);
  void regset(const std::string& extension, bool checked);

  Settings& settings_;
  platform::RegistryBackend& classesRoot_;
  std::string programPath_;

  QTabWidget* pc_;
  QCheckBox* cbSaveSettings_;
  QCheckBox* cbAssociateMP3_;
  QCheckBox* cbAssociateM3U_;
  QCheckBox* cbAssociatePLS_;
  QCheckBox* cbAssociateCSV_;
  QCheckBox* cbFileTime_;
  QCheckBox* cbForceWrite_;
  QCheckBox* cbWriteConfirm_;
  QCheckBox* cbAbsolute_;
  QComboBox* cmbCharset_;
  QComboBox* cmbWriteTag_;
  QListWidget* clbv1_;
  QPushButton* btnOK_;
  QPushButton* btnCancel_;
};

}  // namespace quilmark
