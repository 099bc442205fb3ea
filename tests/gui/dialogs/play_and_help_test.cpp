// Play starts the desktop's default player for MP3 files (a stand-in here
// that records its arguments); help opens the collection beside the program
// or says it cannot.
#include <sys/stat.h>

#include <QtTest>
#include <QtWidgets>
#include <filesystem>

#include "app/help.h"
#include "app/play.h"
#include "support/modal_script.h"
#include "support/recording_presenter.h"
#include "xdg_sandbox.h"

namespace quilmark::testing {

namespace fs = std::filesystem;

class PlayAndHelp : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<XdgSandbox> tmp_;
  std::string record_;
  const bool writeConfirm_ = false;
  RecordingPresenter presenter_;
  Messages messages_{writeConfirm_, presenter_};

  std::string Mp3(const std::string& name) {
    const std::string path = tmp_->File("music/") + name;
    WriteBytes(path, "ID3");
    return path;
  }

  // The stand-in's arguments, waiting up to `ms` for it to have run; none when it did not.
  QStringList Recorded(int ms = 5000) {
    if (!QTest::qWaitFor([&] { return fs::exists(record_); }, ms)) return {};
    const QString args = QString::fromStdString(ReadBytes(record_));
    fs::remove(record_);
    return args.split('\n', Qt::SkipEmptyParts);
  }

 private slots:
  void init() {
    tmp_ = std::make_unique<XdgSandbox>("50:audio/mpeg:*.mp3\n");
    presenter_.texts.clear();
    tmp_->Export();
    record_ = tmp_->File("record.txt");
    const std::string script = tmp_->File("stand in player.sh");
    WriteBytes(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + record_ +
                           ".part'\nmv '" + record_ + ".part' '" + record_ + "'\n");
    ::chmod(script.c_str(), 0755);
    WriteBytes(
        tmp_->File("data/applications/stand-in.desktop"),
        "[Desktop Entry]\nType=Application\nName=Stand-in\nExec=\"" + script + "\" --play %f\n");
    WriteBytes(tmp_->File("config/mimeapps.list"),
               "[Default Applications]\naudio/mpeg=stand-in.desktop;\n");
  }

  void playReportsWhatStopsIt() {
    PlayFile(tmp_->File("music/missing.mp3"), messages_);
    QVERIFY(presenter_.Shown(CatalogueText(MSG_FILE_NOT_FOUND)));

    fs::remove(tmp_->File("config/mimeapps.list"));
    PlayFile(Mp3("a.mp3"), messages_);
    QVERIFY(presenter_.Shown(CatalogueText(MSG_NO_ASSOCIATION)));
  }

  // Kana take 2 bytes in Shift-JIS and 3 in UTF-8: a path of exactly 253
  // Shift-JIS bytes, far longer in UTF-8, with blanks and an upper-case
  // extension, is given to the player whole; one byte more is refused.
  void playGivesThePlayerTheFileUpToABufferCountedInShiftJis() {
    std::string folders;
    std::size_t sjis = tmp_->File("music/").size();
    for (; sjis + 101 + 8 <= 253; sjis += 101) folders += QString(50, u'あ').toStdString() + "/";
    fs::create_directories(tmp_->File("music/") + folders);
    const std::string song = Mp3(folders + " #" + std::string(253 - sjis - 6, 'x') + ".MP3");
    PlayFile(song, messages_);
    QCOMPARE(Recorded(), QStringList({"--play", QString::fromStdString(song)}));
    PlayFile(Mp3(folders + std::string(254 - sjis - 4, 'x') + ".mp3"), messages_);
    QVERIFY(presenter_.Shown("長すぎる"));
    QVERIFY(Recorded(200).isEmpty());
  }

  // A missing or broken collection: said so, nothing kept, never created by
  // looking; the next F1 opens the one beside the program, at the keyword's
  // page, and an unknown keyword shows the index in the same window.
  void f1SaysWhenTheCollectionIsUnusableAndOpensItsPageOnceItIsThere() {
    QMainWindow main;
    main.show();
    const std::string collection = tmp_->File("help/quilmark.qhc");
    for (bool garbage : {false, true}) {
      if (garbage) WriteBytes(collection, std::string(4096, 'Z'));
      QString shown;
      ModalScript script({[&](QWidget* box) {
        shown = box->windowTitle() + ": " + qobject_cast<QMessageBox*>(box)->text();
        box->close();
      }});
      HelpShowFile(&main, collection, "QUILMARK for Win32");
      QCOMPARE(shown, QString("QUILMARK for Win32: ヘルプが表示できません。"));
      QVERIFY(main.findChild<QWidget*>("quilmarkHelpWindow") == nullptr);
      QCOMPARE(fs::exists(collection), garbage);
    }

    HelpShow(&main, "オプション");
    auto* window = main.findChild<QWidget*>("quilmarkHelpWindow");
    QVERIFY2(window != nullptr, "the collection beside the test program did not load");
    auto* browser = Child<QTextBrowser>(window, "helpBrowser");
    QVERIFY(browser->source().toString().endsWith("options.html"));
    HelpShow(&main, "no such keyword");
    QCOMPARE(main.findChildren<QWidget*>("quilmarkHelpWindow").size(), 1);
    QCOMPARE(Child<QTabWidget>(window, "helpTabs")->currentIndex(), 1);
  }
};

}  // namespace quilmark::testing

QTEST_MAIN(quilmark::testing::PlayAndHelp)
#include "play_and_help_test.moc"
