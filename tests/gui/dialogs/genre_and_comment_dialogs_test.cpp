// The genre and comment dialogs as their callers see them: what comes back
// for each way of closing them, and how they lay out when resized.
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

}  // namespace

class GenreAndCommentDialogs : public QObject {
  Q_OBJECT

 private slots:
  void genreListHoldsNumberedNamesAndNothingIsSelectedAtFirst() {
    quilmark::TFormQUILMARKv2Genre dialog;
    dialog.SetText("Rock");
    auto* lv = Child<QTreeWidget>(&dialog, "lv");
    QCOMPARE(lv->topLevelItemCount(), 126);
    QCOMPARE(lv->topLevelItem(17)->text(0), QString("017 : Rock"));
    QCOMPARE(lv->topLevelItem(17)->text(1), QString("Rock"));
    QCOMPARE(lv->topLevelItem(17)->text(2), QString("17"));
    QCOMPARE(lv->topLevelItem(125)->text(2), QString("125"));
    QVERIFY(lv->selectedItems().isEmpty());
  }

  void genreDoubleClickOnItemFiveConfirmsFunk() {
    std::string genre = "Rock";
    ModalScript script({[](QWidget* dialog) {
      auto* lv = Child<QTreeWidget>(dialog, "lv");
      QTreeWidgetItem* item = lv->topLevelItem(5);
      lv->scrollToItem(item);
      const QPoint at = lv->visualItemRect(item).center();
      QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, at);
    }});
    QVERIFY(quilmark::SelectGenre(nullptr, genre));
    QCOMPARE(genre, std::string("Funk"));
    QCOMPARE(script.Remaining(), 0);
    QVERIFY(!script.StuckOpen());
  }

  void genreSelectionByKeyboardFillsTheEditWithTheBareName() {
    quilmark::TFormQUILMARKv2Genre dialog;
    dialog.show();
    auto* lv = Child<QTreeWidget>(&dialog, "lv");
    lv->setFocus();
    lv->setCurrentItem(lv->topLevelItem(0));
    QTest::keyClick(lv, Qt::Key_Down);
    QCOMPARE(dialog.Text(), QString("Classic Rock"));
    lv->clearSelection();  // deselection leaves the text
    QCOMPARE(dialog.Text(), QString("Classic Rock"));
  }

  void genreReturnsTypedTextExactlyAndCancelChangesNothing() {
    struct Case {
      const char* name;
      std::string start;
      std::function<void(QWidget*)> act;
      bool confirmed;
      std::string expected;
    };
    const std::vector<Case> cases = {
        {"typed free text", "Rock",
         [](QWidget* d) {
           auto* ed = Child<QLineEdit>(d, "ed");
           ed->clear();
           QTest::keyClicks(ed, "  Shoegaze, live ");
           Click(d, "btnOK");
         },
         true, "  Shoegaze, live "},
        {"Japanese text", "",
         [](QWidget* d) {
           Child<QLineEdit>(d, "ed")->setText(QStringLiteral("演歌"));
           QTest::keyClick(Child<QLineEdit>(d, "ed"), Qt::Key_Return);
         },
         true, "演歌"},
        {"cleared", "Rock",
         [](QWidget* d) {
           Child<QLineEdit>(d, "ed")->clear();
           Click(d, "btnOK");
         },
         true, ""},
        {"untouched OK", "Jazz", [](QWidget* d) { Click(d, "btnOK"); }, true, "Jazz"},
        {"Cancel after choosing", "Jazz",
         [](QWidget* d) {
           auto* lv = Child<QTreeWidget>(d, "lv");
           lv->setCurrentItem(lv->topLevelItem(9));
           Click(d, "btnCancel");
         },
         false, "Jazz"},
        {"Esc", "Jazz",
         [](QWidget* d) {
           Child<QLineEdit>(d, "ed")->setText("Metal");
           QTest::keyClick(d, Qt::Key_Escape);
         },
         false, "Jazz"},
    };
    for (const Case& c : cases) {
      std::string genre = c.start;
      ModalScript script({c.act});
      QCOMPARE(quilmark::SelectGenre(nullptr, genre), c.confirmed);
      QVERIFY2(genre == c.expected, c.name);
    }
  }

  void genreResizeKeepsButtonsAtTheEdgesAndHasAMinimum() {
    quilmark::TFormQUILMARKv2Genre dialog;
    dialog.show();
    dialog.resize(400, 500);
    QCOMPARE(Child<QLineEdit>(&dialog, "ed")->width(), 384);
    QCOMPARE(Child<QTreeWidget>(&dialog, "lv")->size(), QSize(384, 420));
    QCOMPARE(Child<QPushButton>(&dialog, "btnOK")->pos(), QPoint(240, 468));
    QCOMPARE(Child<QPushButton>(&dialog, "btnCancel")->pos(), QPoint(320, 468));
    // The edit follows the bottom edge so the list cannot grow over it.
    QVERIFY(Child<QLineEdit>(&dialog, "ed")->y() >= 8 + 420);
    dialog.resize(50, 50);
    QCOMPARE(dialog.size(), QSize(quilmark::TFormQUILMARKv2Genre::kDesignWidth,
                                  quilmark::TFormQUILMARKv2Genre::kDesignHeight));
  }

  void commentTextsRoundTripWithCrLf() {
    quilmark::CommentTexts texts{"jpn", "short", "one\r\ntwo\r\n\r\nfour"};
    ModalScript untouched({[](QWidget* d) { Click(d, "btnOK"); }});
    QVERIFY(quilmark::EditComment(nullptr, texts));
    QCOMPARE(texts.language, std::string("jpn"));
    QCOMPARE(texts.description, std::string("short"));
    QCOMPARE(texts.longText, std::string("one\r\ntwo\r\n\r\nfour"));

    ModalScript typed({[](QWidget* d) {
      auto* memo = Child<QPlainTextEdit>(d, "memoComment2");
      memo->clear();
      memo->setFocus();
      QTest::keyClicks(memo, "first");
      QTest::keyClick(memo, Qt::Key_Return);
      QTest::keyClicks(memo, "second");
      Child<QLineEdit>(d, "edComment1")->setText(QStringLiteral("説明"));
      Click(d, "btnOK");
    }});
    QVERIFY(quilmark::EditComment(nullptr, texts));
    QCOMPARE(texts.longText, std::string("first\r\nsecond"));
    QCOMPARE(texts.description, std::string("説明"));
  }

  void commentLanguageStopsAtThreeTypedCharactersButShowsLongerOnes() {
    quilmark::TFormQUILMARKv2Comment dialog;
    dialog.SetTexts({"", "", ""});
    dialog.show();
    auto* language = Child<QLineEdit>(&dialog, "edLanguage");
    QVERIFY(!language->testAttribute(Qt::WA_InputMethodEnabled));
    language->setFocus();
    QTest::keyClicks(language, "engl");
    QCOMPARE(language->text(), QString("eng"));
    language->selectAll();
    QTest::keyClicks(language, "de");  // replacing a selection is typing too
    QCOMPARE(language->text(), QString("de"));

    dialog.SetTexts({"english", "", ""});
    QCOMPARE(language->text(), QString("english"));
    language->end(false);
    QTest::keyClick(language, Qt::Key_Backspace);
    QTest::keyClicks(language, "hx");
    QCOMPARE(language->text(), QString("englis"));
    QCOMPARE(dialog.Texts().language, std::string("englis"));
  }

  void commentCancelAndEscLeaveTheTextsAsPassed() {
    for (bool esc : {false, true}) {
      quilmark::CommentTexts texts{"eng", "d", "a\r\nb"};
      ModalScript script({[esc](QWidget* d) {
        Child<QLineEdit>(d, "edLanguage")->setText("xx");
        Child<QPlainTextEdit>(d, "memoComment2")->setPlainText("changed");
        if (esc) {
          QTest::keyClick(d, Qt::Key_Escape);
        } else {
          Click(d, "btnCancel");
        }
      }});
      QVERIFY(!quilmark::EditComment(nullptr, texts));
      QCOMPARE(texts.language, std::string("eng"));
      QCOMPARE(texts.longText, std::string("a\r\nb"));
    }
  }

  void commentResizeFollowsTheEdges() {
    quilmark::TFormQUILMARKv2Comment dialog;
    dialog.show();
    QCOMPARE(Child<QPushButton>(&dialog, "btnCancel")->geometry().right() + 1, dialog.width() - 6);
    dialog.resize(500, 400);
    QCOMPARE(Child<QLineEdit>(&dialog, "edComment1")->width(), 436);
    QCOMPARE(Child<QPlainTextEdit>(&dialog, "memoComment2")->size(), QSize(484, 320));
    QCOMPARE(Child<QPushButton>(&dialog, "btnOK")->pos(), QPoint(340, 368));
    QCOMPARE(Child<QPushButton>(&dialog, "btnCancel")->pos(), QPoint(420, 368));
    QCOMPARE(Child<QLineEdit>(&dialog, "edLanguage")->geometry(), QRect(8, 8, 41, 20));
    dialog.resize(10, 10);
    QCOMPARE(dialog.size(), QSize(quilmark::TFormQUILMARKv2Comment::kDesignWidth,
                                  quilmark::TFormQUILMARKv2Comment::kDesignHeight));
  }
};

QTEST_MAIN(GenreAndCommentDialogs)
#include "genre_and_comment_dialogs_test.moc"
