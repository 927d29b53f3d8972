#include <QTabWidget>
#include <QtTest>

#include "ui/main_window.h"

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void hasTheThreeWorkingTabs() {
    vorenta::TForm1 window;
    QCOMPARE(window.windowTitle(), QString("Vorenta"));
    auto* tabs = window.findChild<QTabWidget*>("PageControl1");
    QVERIFY(tabs != nullptr);
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QString("Signal"));
    QCOMPARE(tabs->tabText(1), QString("Spectrum estimation"));
    QCOMPARE(tabs->tabText(2), QString("Time-frequency distribution"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
