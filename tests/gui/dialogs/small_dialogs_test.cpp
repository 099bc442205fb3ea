// The small dialogs as their callers see them: what the genre and comment
// dialogs give back for each way of closing them, and the version dialog's
// texts and place.
#include <QtTest>
#include <QtWidgets>

#include "dialogs/comment_dialog.h"
#include "dialogs/genre_dialog.h"
#include "dialogs/version_dialog.h"
#include "support/modal_script.h"

using namespace quilmark::testing;

namespace {

QLineEdit* Edit(QWidget* dialog, const char* name) { return Child<QLineEdit>(dialog, name); }

void Close(QWidget* dialog, const std::string& how) {
  if (how == "Enter") return QTest::keyClick(Edit(dialog, "ed"), Qt::Key_Return);
  if (how == "Esc") return QTest::keyClick(dialog, Qt::Key_Escape);
  if (how == "DoubleClick") {  // on "005 : Funk"
    auto* lv = Child<QTreeWidget>(dialog, "lv");
    lv->scrollToItem(lv->topLevelItem(5));
    const QPoint at = lv->visualItemRect(lv->topLevelItem(5)).center();
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, at);
    return QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, at);
  }
  Child<QPushButton>(dialog, how.c_str())->click();
}

}  // namespace

class SmallDialogs : public QObject {
  Q_OBJECT

 private slots:
  void genreReturnsTypedTextExactlyAndCancelChangesNothing() {
    const struct {
      std::string start;
      const char* typed;
      const char* close;
      bool confirmed;
      std::string expected;
    } cases[] = {
        {"Rock", "  Shoegaze, live ", "btnOK", true, "  Shoegaze, live "},
        {"", "演歌", "Enter", true, "演歌"},
        {"Jazz", "Metal", "btnCancel", false, "Jazz"},
        {"Rock", "x", "DoubleClick", true, "Funk"},  // the bare name, not the caption
    };
    for (const auto& c : cases) {
      std::string genre = c.start;
      ModalScript script({[&c](QWidget* d) {
        Edit(d, "ed")->clear();
        Edit(d, "ed")->insert(QString::fromUtf8(c.typed));
        Close(d, c.close);
      }});
      QCOMPARE(quilmark::SelectGenre(nullptr, genre), c.confirmed);
      QCOMPARE(genre, c.expected);
    }
  }

  // Typed lines come back joined with CR LF; Esc keeps all three. The
  // language stops at three typed characters but keeps a longer stored one.
  void commentTextsRoundTripWithCrLfAndCancelKeepsThem() {
    quilmark::TFormQUILMARKv2Comment dialog;
    dialog.SetTexts({"english", "", ""});
    QCOMPARE(dialog.Texts().language, std::string("english"));
    Edit(&dialog, "edLanguage")->clear();
    QTest::keyClicks(Edit(&dialog, "edLanguage"), "engl");
    QCOMPARE(dialog.Texts().language, std::string("eng"));

    quilmark::CommentTexts texts{"jpn", "short", "one\r\n\r\nthree"};
    ModalScript typed({[](QWidget* d) {
      auto* memo = Child<QPlainTextEdit>(d, "memoComment2");
      memo->setFocus();
      memo->moveCursor(QTextCursor::End);
      QTest::keyClick(memo, Qt::Key_Return);
      QTest::keyClicks(memo, "four");
      Edit(d, "edComment1")->setText(QStringLiteral("説明"));
      Close(d, "btnOK");
    }});
    QVERIFY(quilmark::EditComment(nullptr, texts));
    const std::string longText = "one\r\n\r\nthree\r\nfour";
    QCOMPARE(texts.language + "|" + texts.description + "|" + texts.longText,
             "jpn|説明|" + longText);

    ModalScript cancelled({[](QWidget* d) {
      Edit(d, "edLanguage")->setText("xx");
      Child<QPlainTextEdit>(d, "memoComment2")->setPlainText("changed");
      Close(d, "Esc");
    }});
    QVERIFY(!quilmark::EditComment(nullptr, texts));
    QCOMPARE(texts.language + "|" + texts.longText, "jpn|" + longText);
  }

  // Centred over its owner by halving with a shift: outer sizes count,
  // frames included, and odd or negative differences round down.
  void versionShowsTheEmbeddedVersionCentredOverItsOwner() {
    QCOMPARE(quilmark::CentredOrigin(QRect(-20, 0, 350, 114), QSize(351, 113)), QPoint(-21, 0));
    QMainWindow main;
    main.setGeometry(100, 60, 601, 400);
    main.show();
    QRect frame;
    ModalScript script({[&](QWidget* d) {
      QCOMPARE(Child<QLabel>(d, "Label_Version")->text(), QString(QUILMARK_VERSION));
      QCOMPARE(Child<QLabel>(d, "Label_Copy")->text(), QString("Copyright (C) 2024 QUIL"));
      frame = d->frameGeometry();
      Child<QPushButton>(d, "Button1")->click();
    }});
    quilmark::ShowVersionDialog(&main);
    QVERIFY(!script.StuckOpen());
    QCOMPARE(frame.topLeft(), quilmark::CentredOrigin(main.frameGeometry(), frame.size()));
    QVERIFY(main.findChildren<QDialog*>().isEmpty());  // destroyed after the run
  }
};

QTEST_MAIN(SmallDialogs)
#include "small_dialogs_test.moc"
