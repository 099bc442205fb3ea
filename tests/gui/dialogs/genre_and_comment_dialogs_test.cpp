// The genre and comment dialogs as their callers see them: what comes back
// for each way of closing them.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "dialogs/comment_dialog.h"
#include "dialogs/genre_dialog.h"
#include "modal_script.h"

using quilmark::testing::Child;
using quilmark::testing::ModalScript;

namespace {

void Click(QWidget* dialog, const char* button) { Child<QPushButton>(dialog, button)->click(); }
QLineEdit* Edit(QWidget* dialog, const char* name) { return Child<QLineEdit>(dialog, name); }

}  // namespace

class GenreAndCommentDialogs : public QObject {
  Q_OBJECT

 private slots:
  void genreDoubleClickOnItemFiveConfirmsFunk() {
    std::string genre = "Rock";
    ModalScript script({[](QWidget* dialog) {
      auto* lv = Child<QTreeWidget>(dialog, "lv");
      QTreeWidgetItem* item = lv->topLevelItem(5);
      QCOMPARE(item->text(0), QString("005 : Funk"));
      lv->scrollToItem(item);
      const QPoint at = lv->visualItemRect(item).center();
      QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, at);
    }});
    QVERIFY(quilmark::SelectGenre(nullptr, genre));
    QCOMPARE(genre, std::string("Funk"));
    QVERIFY(!script.StuckOpen());
  }

  void genreReturnsTypedTextExactlyAndCancelChangesNothing() {
    const struct {
      std::string start;
      const char* typed;  // nullptr: the down arrow from the first item instead
      const char* close;
      bool confirmed;
      std::string expected;
    } cases[] = {
        {"Rock", "  Shoegaze, live ", "btnOK", true, "  Shoegaze, live "},
        {"", "演歌", "Enter", true, "演歌"},
        {"Rock", "", "btnOK", true, ""},
        {"Jazz", nullptr, "btnOK", true, "Classic Rock"},  // the bare name, not the caption
        {"Jazz", nullptr, "btnCancel", false, "Jazz"},
        {"Jazz", "Metal", "Esc", false, "Jazz"},
    };
    for (const auto& c : cases) {
      std::string genre = c.start;
      ModalScript script({[&c](QWidget* d) {
        if (c.typed != nullptr) {
          Edit(d, "ed")->clear();
          Edit(d, "ed")->insert(QString::fromUtf8(c.typed));
        } else {
          auto* lv = Child<QTreeWidget>(d, "lv");
          lv->setFocus();
          lv->setCurrentItem(lv->topLevelItem(0));
          QTest::keyClick(lv, Qt::Key_Down);
          lv->clearSelection();  // deselecting leaves the text
        }
        if (c.close == std::string("Enter")) {
          QTest::keyClick(Edit(d, "ed"), Qt::Key_Return);
        } else if (c.close == std::string("Esc")) {
          QTest::keyClick(d, Qt::Key_Escape);
        } else {
          Click(d, c.close);
        }
      }});
      QCOMPARE(quilmark::SelectGenre(nullptr, genre), c.confirmed);
      QCOMPARE(genre, c.expected);
    }
  }

  void commentTextsRoundTripWithCrLfAndCancelKeepsThem() {
    quilmark::CommentTexts texts{"jpn", "short", "one\r\ntwo\r\n\r\nfour"};
    ModalScript untouched({[](QWidget* d) { Click(d, "btnOK"); }});
    QVERIFY(quilmark::EditComment(nullptr, texts));
    QCOMPARE(texts.longText, std::string("one\r\ntwo\r\n\r\nfour"));

    ModalScript typed({[](QWidget* d) {
      auto* memo = Child<QPlainTextEdit>(d, "memoComment2");
      memo->clear();
      memo->setFocus();
      QTest::keyClicks(memo, "first");
      QTest::keyClick(memo, Qt::Key_Return);
      QTest::keyClicks(memo, "second");
      Edit(d, "edComment1")->setText(QStringLiteral("説明"));
      Click(d, "btnOK");
    }});
    QVERIFY(quilmark::EditComment(nullptr, texts));
    QCOMPARE(texts.language, std::string("jpn"));
    QCOMPARE(texts.description, std::string("説明"));
    QCOMPARE(texts.longText, std::string("first\r\nsecond"));

    for (bool esc : {false, true}) {
      ModalScript script({[esc](QWidget* d) {
        Edit(d, "edLanguage")->setText("xx");
        Child<QPlainTextEdit>(d, "memoComment2")->setPlainText("changed");
        esc ? QTest::keyClick(d, Qt::Key_Escape) : Click(d, "btnCancel");
      }});
      QVERIFY(!quilmark::EditComment(nullptr, texts));
      QCOMPARE(texts.language, std::string("jpn"));
      QCOMPARE(texts.longText, std::string("first\r\nsecond"));
    }
  }

  void commentLanguageStopsAtThreeTypedCharactersButKeepsLongerStoredOnes() {
    quilmark::TFormQUILMARKv2Comment dialog;
    dialog.SetTexts({"english", "", ""});
    dialog.show();
    auto* language = Edit(&dialog, "edLanguage");
    QCOMPARE(language->text(), QString("english"));
    language->setFocus();
    language->end(false);
    QTest::keyClick(language, Qt::Key_Backspace);
    QTest::keyClicks(language, "hx");
    QCOMPARE(dialog.Texts().language, std::string("englis"));
    language->clear();
    QTest::keyClicks(language, "engl");
    QCOMPARE(dialog.Texts().language, std::string("eng"));
  }
};

QTEST_MAIN(GenreAndCommentDialogs)
#include "genre_and_comment_dialogs_test.moc"
