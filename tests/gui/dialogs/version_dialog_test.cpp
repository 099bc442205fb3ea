// The version dialog shows what the build embedded in the program and places
// itself over its owner by halving with a shift.
#include "dialogs/version_dialog.h"

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QtTest>

#include "modal_script.h"

using quilmark::testing::Child;
using quilmark::testing::ModalScript;

class VersionDialog : public QObject {
  Q_OBJECT

 private slots:
  void halvesRoundTowardsMinusInfinity() {
    using quilmark::CentredOrigin;
    QCOMPARE(CentredOrigin(QRect(100, 50, 300, 100), QSize(351, 113)), QPoint(74, 43));
    QCOMPARE(CentredOrigin(QRect(-20, 0, 350, 114), QSize(351, 113)), QPoint(-21, 0));
  }

  void showsTheEmbeddedVersionCentredOverItsOwner() {
    QMainWindow main;
    main.setGeometry(100, 60, 601, 400);
    main.show();
    QString version, copyright;
    QRect frame;
    ModalScript script({[&](QWidget* d) {
      version = Child<QLabel>(d, "Label_Version")->text();
      copyright = Child<QLabel>(d, "Label_Copy")->text();
      frame = d->frameGeometry();
      Child<QPushButton>(d, "Button1")->click();
    }});
    quilmark::ShowVersionDialog(&main);
    QVERIFY(!script.StuckOpen());
    QCOMPARE(version, QString(QUILMARK_VERSION));
    QCOMPARE(copyright, QString("Copyright (C) 2024 QUIL"));
    // Outer sizes count, frames included; an odd width difference shows the
    // rounding.
    const QRect owner = main.frameGeometry();
    const int dx = owner.width() - frame.width(), dy = owner.height() - frame.height();
    QCOMPARE(dx % 2, 1);
    QCOMPARE(frame.topLeft(), QPoint(owner.left() + (dx - 1) / 2, owner.top() + dy / 2));
    QVERIFY(main.findChildren<QDialog*>().isEmpty());  // destroyed after the run
  }
};

QTEST_MAIN(VersionDialog)
#include "version_dialog_test.moc"
