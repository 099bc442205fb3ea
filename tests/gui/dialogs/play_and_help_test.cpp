// Play starts the desktop's default player for MP3 files (a stand-in here
// that records its arguments); help opens the collection beside the program
// or says it cannot.
#include <sys/stat.h>

#include <QMainWindow>
#include <QMessageBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>
#include <filesystem>

#include "app/help.h"
#include "app/play.h"
#include "modal_script.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using quilmark::testing::Child;
using quilmark::testing::ModalScript;
using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

namespace {

class RecordingPresenter : public quilmark::MessagePresenter {
 public:
  int Show(const std::string& text, const std::string&, unsigned) override {
    texts.push_back(text);
    return quilmark::IDOK;
  }
  bool Saw(quilmark::MessageId id) const {
    const char* expected = quilmark::CatalogueText(id);
    for (const std::string& t : texts) {
      if (expected != nullptr && t.find(expected) != std::string::npos) return true;
    }
    return false;
  }
  std::vector<std::string> texts;
};

}  // namespace

class PlayAndHelp : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempDir> tmp_;
  std::string record_;
  std::string apps_;
  quilmark::Settings settings_;
  RecordingPresenter presenter_;
  std::unique_ptr<quilmark::Messages> messages_;

  void InstallPlayer(const std::string& exec) {
    WriteBytes(apps_ + "stand-in.desktop",
               "[Desktop Entry]\nType=Application\nName=Stand-in\nExec=" + exec + "\n");
    WriteBytes(tmp_->File("config/mimeapps.list"),
               "[Default Applications]\naudio/mpeg=stand-in.desktop;\n");
  }

  std::string Mp3(const std::string& name) {
    const std::string path = tmp_->File("music/") + name;
    WriteBytes(path, "ID3");
    return path;
  }

  std::vector<std::string> Recorded() {
    std::vector<std::string> lines;
    std::string text = ReadBytes(record_);
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t nl = text.find('\n', at);
      lines.push_back(text.substr(at, nl - at));
      at = nl == std::string::npos ? text.size() : nl + 1;
    }
    return lines;
  }

 private slots:
  void init() {
    tmp_ = std::make_unique<TempDir>();
    presenter_.texts.clear();
    messages_ = std::make_unique<quilmark::Messages>(settings_, presenter_);
    for (const char* dir : {"data/applications", "system/mime", "config", "music"}) {
      fs::create_directories(tmp_->File(dir));
    }
    apps_ = tmp_->File("data/applications/");
    WriteBytes(tmp_->File("system/mime/globs2"), "50:audio/mpeg:*.mp3\n");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(tmp_->File("data")));
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(tmp_->File("system")));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(tmp_->File("config")));
    qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString(tmp_->File("config-system")));
    record_ = tmp_->File("record.txt");
    const std::string script = tmp_->File("stand in player.sh");
    WriteBytes(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + record_ +
                           ".part'\nmv '" + record_ + ".part' '" + record_ + "'\n");
    ::chmod(script.c_str(), 0755);
    InstallPlayer("\"" + script + "\" --play %f");
  }

  void playStartsTheDefaultPlayerWithTheFile() {
    const std::string song = Mp3("夜の 曲 #1.MP3");
    quilmark::PlayFile(song, *messages_);
    QVERIFY(presenter_.texts.empty());
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(record_), 5000);
    QCOMPARE(Recorded(), (std::vector<std::string>{"--play", song}));
  }

  void playReportsWhatStopsIt() {
    quilmark::PlayFile(tmp_->File("music/missing.mp3"), *messages_);
    QVERIFY(presenter_.Saw(quilmark::MSG_FILE_NOT_FOUND));

    const std::string song = Mp3("a.mp3");
    InstallPlayer("/nonexistent/player %f");
    quilmark::PlayFile(song, *messages_);
    QVERIFY(presenter_.Saw(quilmark::MSG_BAD_EXE));

    fs::remove(tmp_->File("config/mimeapps.list"));
    presenter_.texts.clear();
    quilmark::PlayFile(song, *messages_);
    QVERIFY(presenter_.Saw(quilmark::MSG_NO_ASSOCIATION));
    QTest::qWait(200);
    QVERIFY(!fs::exists(record_));
  }

  void playRefusesPathsLongerThanItsBufferCountedInShiftJis() {
    // Folders of kana (2 bytes in Shift-JIS, 3 in UTF-8) bring the path to
    // exactly 253 Shift-JIS bytes, well past 253 in UTF-8: still played.
    const std::string kana50 = [] {
      std::string s;
      for (int i = 0; i < 50; ++i) s += "あ";
      return s;
    }();
    std::string path = tmp_->File("music/");
    std::size_t sjis = path.size();
    while (sjis + 101 + 8 <= 253) {
      path += kana50 + "/";
      sjis += 101;
    }
    fs::create_directories(path);
    const std::string fits = path + std::string(253 - sjis - 4, 'x') + ".mp3";
    WriteBytes(fits, "ID3");
    QVERIFY(fits.size() > 253);
    quilmark::PlayFile(fits, *messages_);
    QVERIFY(presenter_.texts.empty());
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(record_), 5000);
    QCOMPARE(Recorded().back(), fits);
    fs::remove(record_);

    const std::string tooLong = path + std::string(253 - sjis - 3, 'x') + ".mp3";
    WriteBytes(tooLong, "ID3");
    quilmark::PlayFile(tooLong, *messages_);
    QCOMPARE(presenter_.texts.size(), std::size_t(1));
    QVERIFY(presenter_.texts[0].find("長すぎる") != std::string::npos);
    QTest::qWait(200);
    QVERIFY(!fs::exists(record_));
  }

  void helpFileIsTheProgramPathWithItsExtensionReplaced() {
    QCOMPARE(quilmark::HelpFilePath("/usr/bin/quilmark"), std::string("/usr/bin/quilmark.qhc"));
    QCOMPARE(quilmark::HelpFilePath("/opt/q/QUILMARK.EXE"), std::string("/opt/q/QUILMARK.qhc"));
    QCOMPARE(quilmark::HelpFilePath("/opt/v1.2/prog"), std::string("/opt/v1.2/prog.qhc"));
    QCOMPARE(quilmark::HelpFilePath("/x/prog.tar.gz"), std::string("/x/prog.tar.qhc"));
  }

  void f1WithoutTheCollectionSaysSoAndTheNextF1TriesAgain() {
    QMainWindow main;
    main.show();
    const std::string collection = tmp_->File("help/quilmark.qhc");
    QString text, title;
    auto capture = [&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      QVERIFY(box != nullptr);
      text = box->text();
      title = box->windowTitle();
      box->accept();
    };
    {
      ModalScript script({capture});
      quilmark::HelpShowFile(&main, collection, "QUILMARK for Win32");
      QCOMPARE(script.Remaining(), 0);
    }
    QCOMPARE(text, QString("ヘルプが表示できません。"));
    QCOMPARE(title, QString("QUILMARK for Win32"));
    QVERIFY(main.findChild<QWidget*>("quilmarkHelpWindow") == nullptr);
    QVERIFY(!fs::exists(collection));  // not created by looking

    fs::create_directories(tmp_->File("help"));
    WriteBytes(collection, std::string(4096, '\x5A'));
    text.clear();
    {
      ModalScript script({capture});
      quilmark::HelpShowFile(&main, collection, "QUILMARK for Win32");
    }
    QCOMPARE(text, QString("ヘルプが表示できません。"));

    // The collection arrives; the next F1 opens it at the keyword's page.
    const fs::path built(QUILMARK_HELP_COLLECTION);
    fs::copy_file(built, collection, fs::copy_options::overwrite_existing);
    fs::copy_file(built.parent_path() / "quilmark.qch", tmp_->File("help/quilmark.qch"));
    quilmark::HelpShowFile(&main, collection, "QUILMARK for Win32");
    auto* window = main.findChild<QWidget*>("quilmarkHelpWindow");
    QVERIFY(window != nullptr && window->isVisible());
    auto* browser = Child<QTextBrowser>(window, "helpBrowser");
    QVERIFY(browser->source().toString().endsWith("index.html"));
    QVERIFY(browser->toPlainText().contains("MP3"));
  }

  void f1OpensTheCollectionBesideTheProgramAndUnknownKeywordsShowTheIndex() {
    QMainWindow main;
    main.show();
    quilmark::HelpShow(&main, "オプション");
    auto* window = main.findChild<QWidget*>("quilmarkHelpWindow");
    QVERIFY2(window != nullptr, "the collection beside the test program did not load");
    auto* browser = Child<QTextBrowser>(window, "helpBrowser");
    QVERIFY(browser->source().toString().endsWith("options.html"));
    QVERIFY(browser->toPlainText().contains("関連付け"));

    quilmark::HelpShow(&main, "no such keyword");
    QCOMPARE(main.findChildren<QWidget*>("quilmarkHelpWindow").size(), 1);
    QCOMPARE(Child<QTabWidget>(window, "helpTabs")->currentIndex(), 1);
  }
};

QTEST_MAIN(PlayAndHelp)
#include "play_and_help_test.moc"
