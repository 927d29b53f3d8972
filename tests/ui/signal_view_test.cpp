#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include "core/signal_store.h"
#include "tests/ui/fake_platform.h"
#include "tests/ui/ui_test_support.h"
#include "ui/create_signal_form.h"
#include "ui/main_window.h"
#include "ui/paint_box.h"
#include "ui/signal_view.h"

using vorenta::testing::FakePlatform;
using vorenta::testing::Find;
using vorenta::testing::SendMouse;

// A window with a generated 1000-sample signal, shown at a fixed size.
class SignalViewTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    vorenta::ResetSignalStore();
    platform_.leftControl = platform_.rightControl = false;
    window_ = std::make_unique<vorenta::TForm1>(platform_);
    window_->resize(900, 600);
    window_->show();
    platform_.modalAnswer = [](QDialog& dialog) {
      auto& form = dynamic_cast<vorenta::TForm2&>(dialog);
      form.OkClick();
      return form.result() == QDialog::Accepted;
    };
    window_->CreateSignalCommand();
    QCoreApplication::processEvents();
    plot_ = Find<vorenta::PaintBox>(window_.get(), "PaintBox1");
    QVERIFY(plot_->width() > 500);
  }

  void cleanup() { window_.reset(); }

  void startMarkerStopsTenSamplesBeforeTheEndMarker() {
    SelectRange("0", "300");
    ShowSamplesPerPixel(1);
    Press(QPoint(3, 30));
    Move(QPoint(350, 30));
    QCOMPARE(vorenta::SelectionStart, 290);
    Release(QPoint(350, 30));
    QCOMPARE(Edit("Edit3")->text(), QString("290"));
  }

  void endMarkerRoundsAndStartMarkerTruncates() {
    SelectRange("0", "60");
    ShowSamplesPerPixel(0.5);  // two pixels per sample: column 83 is sample 41.5
    Press(QPoint(119, 30));
    Move(QPoint(83, 30));
    Release(QPoint(83, 30));
    QCOMPARE(vorenta::SelectionEnd, 42);

    SelectRange("20", "100");
    Press(QPoint(41, 30));
    Move(QPoint(83, 30));
    Release(QPoint(83, 30));
    QCOMPARE(vorenta::SelectionStart, 41);
  }

  void endMarkerStaysInsideTheCropRange() {
    SelectRange("100", "199");
    Click("Button3");  // Crop
    SelectRange("100", "150");
    ShowSamplesPerPixel(1);
    window_->Signal().SignalChart1.SetXRange(0, plot_->width() - 1);
    Press(QPoint(150, 30));
    Move(QPoint(plot_->width() - 1, 30));
    Release(QPoint(plot_->width() - 1, 30));
    QCOMPARE(vorenta::SelectionEnd, 199);
  }

  void zoomNeedsMoreThanThreePixels() {
    vorenta::SignalView& view = window_->Signal();
    const double xMin = view.SignalChart1.XMin();
    const double xMax = view.SignalChart1.XMax();
    vorenta::testing::Drag(plot_, QPoint(200, 30), QPoint(203, 30));
    QCOMPARE(view.SignalChart1.XMin(), xMin);
    QCOMPARE(view.SignalChart1.XMax(), xMax);
    const double from = view.SignalChart1.XAt(200);
    const double to = view.SignalChart1.XAt(204);
    vorenta::testing::Drag(plot_, QPoint(204, 30), QPoint(200, 30));
    QCOMPARE(view.SignalChart1.XMin(), from);
    QCOMPARE(view.SignalChart1.XMax(), to);
    QCOMPARE(view.SignalChart2.XMin(), from);
    QCOMPARE(view.SignalChart2.XMax(), to);
  }

  void boxZoomSetsBothAxesOfThisChart() {
    vorenta::SignalView& view = window_->Signal();
    Click("ToolButton1");
    QCOMPARE(view.CurrentTool(), vorenta::SignalView::Tool::Box);
    QVERIFY(!Find<QToolButton>(window_.get(), "ToolButton2")->isChecked());
    const double x1 = view.SignalChart1.XAt(100), x2 = view.SignalChart1.XAt(300);
    const double y1 = view.SignalChart1.YAt(10), y2 = view.SignalChart1.YAt(60);
    const double otherYMax = view.SignalChart2.YMax();
    vorenta::testing::Drag(plot_, QPoint(100, 10), QPoint(300, 60));
    QCOMPARE(view.SignalChart1.XMin(), x1);
    QCOMPARE(view.SignalChart1.XMax(), x2);
    QCOMPARE(view.SignalChart1.YMin(), y2);
    QCOMPARE(view.SignalChart1.YMax(), y1);
    QCOMPARE(view.SignalChart2.YMax(), otherYMax);
  }

  void panStopsAtTheCropStartWhileTheValuesFollow() {
    vorenta::SignalView& view = window_->Signal();
    view.SignalChart1.SetRanges(50, -1, 150, 1);
    view.SignalChart2.SetXRange(50, 150);
    Click("ToolButton5");
    const double dy = view.SignalChart1.YAt(10) - view.SignalChart1.YAt(40);
    SendMouse(plot_, QEvent::MouseButtonPress, QPoint(20, 10), Qt::LeftButton, Qt::LeftButton);
    SendMouse(plot_, QEvent::MouseMove, QPoint(plot_->width() - 1, 40), Qt::NoButton, Qt::LeftButton);
    SendMouse(plot_, QEvent::MouseButtonRelease, QPoint(plot_->width() - 1, 40), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(view.SignalChart1.XMin(), 0.0);
    QCOMPARE(view.SignalChart1.XMax(), 100.0);
    QCOMPARE(vorenta::SelectionStart, 0);  // the press was no marker grab
    QCOMPARE(view.SignalChart2.XMin(), 0.0);
    QVERIFY(std::abs(view.SignalChart1.YMin() - (-1 + dy)) < 1e-12);
  }

  void cropThenShowWholeShowsOnlyTheCroppedSamples() {
    SelectRange("100", "199");
    Click("Button3");
    QCOMPARE(vorenta::CropStart, 100);
    QCOMPARE(vorenta::CropEnd, 199);
    window_->Signal().SignalChart1.SetXRange(0, 999);
    Click("ToolButton4");
    QCOMPARE(window_->Signal().SignalChart1.XMin(), 100.0);
    QCOMPARE(window_->Signal().SignalChart1.XMax(), 199.0);
    QVERIFY(!Find<QScrollBar>(window_.get(), "ScrollBar1")->isEnabled());
  }

  void controlClicksSetTheEndsWithoutOrdering() {
    SelectRange("0", "300");
    ShowSamplesPerPixel(1);
    platform_.leftControl = true;
    Press(QPoint(500, 30));
    Release(QPoint(500, 30));
    QCOMPARE(vorenta::SelectionStart, 500);
    QCOMPARE(vorenta::SelectionEnd, 300);
    platform_.leftControl = false;
    platform_.rightControl = true;
    Press(QPoint(700, 30));
    Release(QPoint(700, 30));
    QCOMPARE(vorenta::SelectionStart, 500);
    QCOMPARE(vorenta::SelectionEnd, 700);
    QCOMPARE(Edit("Edit4")->text(), QString("700"));
  }

  void selectOrdersSwappedEnds() {
    SelectRange("50", "20");
    QCOMPARE(vorenta::SelectionStart, 20);
    QCOMPARE(vorenta::SelectionEnd, 50);
    QCOMPARE(Edit("Edit3")->text(), QString("50"));
    QCOMPARE(window_->RealChart.XMin(), 20.0);
    QCOMPARE(window_->RealChart.XMax(), 50.0);
  }

  void selectAllRestoresTheCropRange() {
    SelectRange("abc", "20");  // text that is not a number reads as 0
    QCOMPARE(vorenta::SelectionStart, 0);
    Click("Button7");
    QCOMPARE(vorenta::SelectionEnd, 999);
    QCOMPARE(Edit("Edit4")->text(), QString("999"));
  }

  void scrollBarMovesTheViewInsideTheCropRange() {
    vorenta::testing::Drag(plot_, QPoint(50, 30), QPoint(150, 30));
    auto* scrollBar = Find<QScrollBar>(window_.get(), "ScrollBar1");
    QVERIFY(scrollBar->isEnabled());
    vorenta::SignalView& view = window_->Signal();
    const double span = view.SignalChart1.XMax() - view.SignalChart1.XMin();
    scrollBar->setValue(scrollBar->maximum());
    QCOMPARE(view.SignalChart1.XMin(), static_cast<double>(scrollBar->maximum()));
    QVERIFY(view.SignalChart1.XMin() + span <= vorenta::CropEnd + 1);
    QVERIFY(std::abs(view.SignalChart1.XMax() - view.SignalChart1.XMin() - span) < 1e-9);
  }

  void plotsIgnoreTheMouseWithoutASignal() {
    vorenta::ResetSignalStore();
    const double xMax = window_->Signal().SignalChart1.XMax();
    vorenta::testing::Drag(plot_, QPoint(10, 30), QPoint(110, 30));
    QCOMPARE(window_->Signal().SignalChart1.XMax(), xMax);
  }

 private:
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(window_.get(), name); }
  void Click(const char* name) { Find<QAbstractButton>(window_.get(), name)->click(); }
  void SelectRange(const char* start, const char* end) {
    Edit("Edit3")->setText(start);
    Edit("Edit4")->setText(end);
    Click("Button6");
  }
  // Both charts start at sample 0 with `samples` samples per pixel.
  void ShowSamplesPerPixel(double samples) {
    const double right = (plot_->width() - 1) * samples;
    window_->Signal().SignalChart1.SetXRange(0, right);
    window_->Signal().SignalChart2.SetXRange(0, right);
  }
  void Press(QPoint at) { SendMouse(plot_, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
  void Move(QPoint at) { SendMouse(plot_, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
  void Release(QPoint at) { SendMouse(plot_, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

  FakePlatform platform_;
  std::unique_ptr<vorenta::TForm1> window_;
  vorenta::PaintBox* plot_ = nullptr;
};

QTEST_MAIN(SignalViewTest)
#include "signal_view_test.moc"
