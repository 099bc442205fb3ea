#include "dialogs/option_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/msgbox.h"

namespace quilmark {

namespace {

constexpr const char* kCsvItems[kCsvFlagCount] = {
    "№",        "アーティスト", "タイトル", "アルバム",        "年",           "ジャンル",
    "コメント", "作詞",         "作曲",     "著作権",          "エンコード者", "URL",
    "BPM",      "Orgアルバム",  "Org作詞",  "Orgアーティスト", "Org年"};

// The entries of the two lists, in the order they are shown.
template <typename Value>
struct ListItem {
  Value value;
  const char* caption;
};
constexpr ListItem<Charset> kCharsetItems[] = {{Charset::ShiftJis, "Shift-JIS"},
                                               {Charset::EucJp, "EUC"},
                                               {Charset::Utf16Le, "Unicode"},
                                               {Charset::Utf16Be, "Unicode big endian"}};
constexpr ListItem<TagKind> kTagKindItems[] = {{TagKind::Id3v1, "v1.x"},
                                               {TagKind::Id3v22, "v2.2"},
                                               {TagKind::Id3v23, "v2.3"},
                                               {TagKind::Id3v24, "v2.4"}};

template <typename Value, std::size_t N>
int IndexOf(const ListItem<Value> (&items)[N], Value value) {
  for (std::size_t i = 0; i < N; ++i) {
    if (items[i].value == value) return static_cast<int>(i);
  }
  return -1;
}

QCheckBox* MakeCheck(QWidget* page, QLayout* layout, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), page);
  box->setObjectName(name);
  layout->addWidget(box);
  return box;
}

template <typename Value, std::size_t N>
QComboBox* MakeList(QWidget* page, QFormLayout* layout, const char* name, const char* label,
                    const ListItem<Value> (&items)[N]) {
  auto* combo = new QComboBox(page);
  combo->setObjectName(name);
  for (const ListItem<Value>& item : items) combo->addItem(QString::fromUtf8(item.caption));
  auto* caption = new QLabel(QString::fromUtf8(label), page);
  caption->setBuddy(combo);
  layout->addRow(caption, combo);
  return combo;
}

std::string ProgramPathOfApplication() {
  return QCoreApplication::applicationFilePath().toStdString();
}

}  // namespace

std::string VerbCommandLine(const std::string& programPath) {
  return "\"" + programPath + "\" \"%1\"";
}

TFormQUILMARKOption::TFormQUILMARKOption(QWidget* owner, Settings& settings,
                                         platform::RegistryBackend& classesRoot,
                                         std::string programPath)
    : QDialog(owner),
      settings_(settings),
      classesRoot_(classesRoot),
      programPath_(std::move(programPath)) {
  setWindowTitle(QStringLiteral("オプション"));
  setFixedSize(kDesignWidth, kDesignHeight);

  pc_ = new QTabWidget(this);
  pc_->setObjectName("pc");

  auto* general = new QWidget;
  general->setObjectName("tsGeneral");
  auto* generalLayout = new QVBoxLayout(general);
  cbSaveSettings_ = MakeCheck(general, generalLayout, "cbSaveSettings", "終了時の状態を保存(&S)");
  cbAssociateMP3_ =
      MakeCheck(general, generalLayout, "cbAssociateMP3", "MP3ファイルに関連付ける(&A)");
  cbAssociateM3U_ = MakeCheck(general, generalLayout, "cbAssociateM3U",
                              "プレイリストファイル(.&M3U)に関連付ける");
  cbAssociatePLS_ = MakeCheck(general, generalLayout, "cbAssociatePLS",
                              "プレイリストファイル(.&PLS)に関連付ける");
  cbAssociateCSV_ =
      MakeCheck(general, generalLayout, "cbAssociateCSV", ".&CSVファイルに関連付ける");
  generalLayout->addStretch();
  pc_->addTab(general, QStringLiteral("全般"));

  auto* mp3 = new QWidget;
  mp3->setObjectName("tsMP3");
  auto* mp3Layout = new QVBoxLayout(mp3);
  cbFileTime_ =
      MakeCheck(mp3, mp3Layout, "cbFileTime", "タイムスタンプを元の状態のまま保持する(&K)");
  cbForceWrite_ =
      MakeCheck(mp3, mp3Layout, "cbForceWrite", "ファイルが書込禁止でも強制的に書き込む(&F)");
  cbWriteConfirm_ = MakeCheck(mp3, mp3Layout, "cbWriteConfirm", "確認メッセージを表示する(&M)");
  cbAbsolute_ =
      MakeCheck(mp3, mp3Layout, "cbAbsolute", "プレイリスト/CSV内のパスを相対パスにする(&P)");
  auto* lists = new QFormLayout;
  cmbCharset_ = MakeList(mp3, lists, "cmbCharset", "文字コード(&C)", kCharsetItems);
  cmbWriteTag_ =
      MakeList(mp3, lists, "cmbWriteTag", "タグを書き込む際のバージョン(&W)", kTagKindItems);
  mp3Layout->addLayout(lists);
  mp3Layout->addStretch();
  pc_->addTab(mp3, QStringLiteral("MP3書き込み"));

  auto* csv = new QWidget;
  csv->setObjectName("tsCSV");
  auto* csvLayout = new QVBoxLayout(csv);
  clbv1_ = new QListWidget(csv);
  clbv1_->setObjectName("clbv1");
  for (const char* item : kCsvItems) {
    auto* row = new QListWidgetItem(QString::fromUtf8(item), clbv1_);
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setCheckState(Qt::Unchecked);
  }
  csvLayout->addWidget(clbv1_);
  pc_->addTab(csv, QStringLiteral("CSV書き込み"));

  btnOK_ = new QPushButton(QStringLiteral("OK"), this);
  btnOK_->setObjectName("btnOK");
  btnOK_->setDefault(true);
  btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel_->setObjectName("btnCancel");

  pc_->setGeometry(8, 8, kDesignWidth - 16, kDesignHeight - 48);
  btnOK_->setGeometry(kDesignWidth - 168, kDesignHeight - 32, 75, 25);
  btnCancel_->setGeometry(kDesignWidth - 83, kDesignHeight - 32, 75, 25);

  connect(btnOK_, &QPushButton::clicked, this, &TFormQUILMARKOption::btnOKClick);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormQUILMARKOption::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormQUILMARKOption::FormShow() {
  regget(".mp3", cbAssociateMP3_);
  regget(".m3u", cbAssociateM3U_);
  regget(".pls", cbAssociatePLS_);
  regget(".csv", cbAssociateCSV_);
  cbFileTime_->setChecked(settings_.FileTime);
  cbForceWrite_->setChecked(settings_.ForceWrite);
  cbWriteConfirm_->setChecked(settings_.WriteConfirm);
  cbAbsolute_->setChecked(settings_.AbsolutePath);
  cbSaveSettings_->setChecked(settings_.SaveSettings);
  cmbCharset_->setCurrentIndex(IndexOf(kCharsetItems, settings_.Charset));
  for (std::size_t i = 0; i < kCsvFlagCount; ++i) {
    clbv1_->item(static_cast<int>(i))
        ->setCheckState(settings_.CSV[i] ? Qt::Checked : Qt::Unchecked);
  }
  cmbWriteTag_->setCurrentIndex(IndexOf(kTagKindItems, settings_.WriteTagVersion));
}

void TFormQUILMARKOption::regget(const std::string& extension, QCheckBox* box) {
  box->setEnabled(false);
  box->setChecked(false);
  try {
    if (!classesRoot_.KeyExists(extension)) return;
    const auto type = platform::ReadString(classesRoot_, extension, "");
    const std::string shell = type.value_or("") + "\\shell";
    if (type && !type->empty() && classesRoot_.KeyExists(shell)) {
      box->setEnabled(true);
      box->setChecked(classesRoot_.KeyExists(shell + "\\quilmark"));
    }
  } catch (const platform::RegistryError&) {
    // A key that cannot be read leaves the box disabled, silently.
  }
}

void TFormQUILMARKOption::regset(const std::string& extension, bool checked) {
  if (!classesRoot_.KeyExists(extension)) return;
  std::string type;
  try {
    type = platform::ReadString(classesRoot_, extension, "").value_or("");
  } catch (const platform::RegistryError&) {
    return;
  }
  if (type.empty()) return;
  std::string path = "\\" + type + "\\shell";
  if (!classesRoot_.KeyExists(path)) return;
  path += "\\quilmark";
  if (checked) {
    classesRoot_.CreateKey(path);
    classesRoot_.WriteValue(path, "", platform::RegValue::String("タグ編集"));
    path += "\\command";
    classesRoot_.CreateKey(path);
    classesRoot_.WriteValue(path, "", platform::RegValue::String(VerbCommandLine(programPath_)));
  } else if (classesRoot_.KeyExists(path)) {
    classesRoot_.DeleteKey(path);
  }
  classesRoot_.Flush();
}

void TFormQUILMARKOption::btnOKClick() {
  try {
    regset(".mp3", cbAssociateMP3_->isChecked());
    regset(".m3u", cbAssociateM3U_->isChecked());
    regset(".pls", cbAssociatePLS_->isChecked());
    regset(".csv", cbAssociateCSV_->isChecked());
  } catch (const platform::RegistryError& error) {
    // The settings stay as they were and the dialog stays open, so the user
    // can uncheck the association or cancel.
    QMessageBox::critical(this, QString::fromUtf8(kApplicationTitle),
                          QString::fromUtf8(error.what()));
    return;
  }
  settings_.SaveSettings = cbSaveSettings_->isChecked();
  settings_.FileTime = cbFileTime_->isChecked();
  settings_.ForceWrite = cbForceWrite_->isChecked();
  settings_.WriteConfirm = cbWriteConfirm_->isChecked();
  settings_.AbsolutePath = cbAbsolute_->isChecked();
  if (const int i = cmbCharset_->currentIndex(); i >= 0) {
    settings_.Charset = kCharsetItems[static_cast<std::size_t>(i)].value;
  }
  for (std::size_t i = 0; i < kCsvFlagCount; ++i) {
    settings_.CSV[i] = clbv1_->item(static_cast<int>(i))->checkState() == Qt::Checked;
  }
  if (const int i = cmbWriteTag_->currentIndex(); i >= 0) {
    settings_.WriteTagVersion = kTagKindItems[static_cast<std::size_t>(i)].value;
  }
  accept();
}

bool ShowOptionDialog(QWidget* owner, Settings& settings, platform::RegistryBackend& classesRoot) {
  TFormQUILMARKOption dialog(owner, settings, classesRoot, ProgramPathOfApplication());
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quilmark
