#include <QComboBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QSpinBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

#include "core/signal_store.h"
#include "spectrum/result_model.h"
#include "tests/ui/fake_platform.h"
#include "tests/ui/ui_test_support.h"
#include "ui/create_signal_form.h"
#include "ui/main_window.h"
#include "ui/paint_box.h"
#include "ui/proportional_splitter.h"
#include "ui/setup_form.h"
#include "ui/signal_view.h"

using vorenta::testing::FakePlatform;
using vorenta::testing::Find;

namespace {

// Accepts the generator dialog with its current table.
bool AcceptGenerator(QDialog& dialog) {
  auto& form = dynamic_cast<vorenta::TForm2&>(dialog);
  form.OkClick();
  return form.result() == QDialog::Accepted;
}

// Shows `window` at width x height holding a signal from the generator.
void ShowWithGeneratedSignal(vorenta::TForm1& window, FakePlatform& platform, int width, int height) {
  window.resize(width, height);
  window.show();
  platform.modalAnswer = AcceptGenerator;
  window.CreateSignalCommand();
  QCoreApplication::processEvents();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    vorenta::ResetSignalStore();
    QVERIFY(dir_.isValid());
  }

  void hasTheThreeWorkingTabsAndTheNamedControls() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    auto* tabs = Find<QTabWidget>(&window, "PageControl1");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QString("Signal"));
    QCOMPARE(tabs->tabText(1), QString("Spectrum estimation"));
    QCOMPARE(tabs->tabText(2), QString("Time-frequency distribution"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(window.windowTitle().isEmpty());
    QCOMPARE(window.minimumSize(), QSize(600, 400));
    for (const char* name : {"PaintBox1", "PaintBox3", "PaintBox9", "PaintBox2", "PaintBox4", "PaintBox6",
                             "PaintBox5", "PaintBox3_8", "PaintBox3_13"}) {
      Find<vorenta::PaintBox>(&window, name);
    }
    for (const char* name : {"Panel1", "Panel2", "Panel5", "Panel14", "Panel3", "Panel6", "Panel7", "Panel8",
                             "Panel9", "Panel10", "Panel11", "Panel3_12", "Panel3_20"}) {
      Find<QWidget>(&window, name);
    }
    for (const char* name : {"Splitter1", "Splitter2", "Splitter3", "Splitter4", "Splitter7"}) {
      Find<QSplitter>(&window, name);
    }
    QCOMPARE(Find<QPushButton>(&window, "Button1")->text(), QString("Open"));
    QCOMPARE(Find<QPushButton>(&window, "Button2")->text(), QString("Create signal"));
    QCOMPARE(Find<QPushButton>(&window, "Button3")->text(), QString("Crop"));
    QCOMPARE(Find<QPushButton>(&window, "Button5")->text(), QString("Save"));
    QCOMPARE(Find<QPushButton>(&window, "Button6")->text(), QString("Select"));
    QCOMPARE(Find<QPushButton>(&window, "Button7")->text(), QString("Select all"));
    QCOMPARE(Find<QLineEdit>(&window, "Edit3")->text(), QString("0"));
    QCOMPARE(Find<QLineEdit>(&window, "Edit4")->text(), QString("0"));
    QVERIFY(!Find<QScrollBar>(&window, "ScrollBar1")->isEnabled());
    QVERIFY(Find<QToolButton>(&window, "ToolButton2")->isChecked());
    QCOMPARE(Find<QComboBox>(&window, "ComboBox2")->currentText(), QString("Periodogram"));
    QCOMPARE(Find<QComboBox>(&window, "ComboBox1")->currentText(), QString("Fourier"));
    QCOMPARE(Find<QLineEdit>(&window, "Edit3_13")->text(), QString("1"));
    QCOMPARE(Find<QWidget>(&window, "Panel1")->height(), 81);
    QCOMPARE(Find<QWidget>(&window, "Panel14")->height(), 19);
    QCOMPARE(window.SpectrumChart.XMin(), -0.5);
    QCOMPARE(window.SpectrumChart.YMin(), -100.0);
  }

  void firstFocusOpensTheFileDialogOnce() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(platform.openRequests, 1);
    QCOMPARE(platform.lastOpenRequest.defaultSuffix, QString("dat"));
    QVERIFY(platform.lastOpenRequest.filter.startsWith(QString::fromUtf8("Файлы данных (*.txt)")));
    QCOMPARE(vorenta::SignalLength, 0u);
    window.activateWindow();
    QTest::qWait(20);
    QCOMPARE(platform.openRequests, 1);
  }

  void importShowsTheSettingsDialogAndLoadsTheChosenColumn() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    const QString path = vorenta::testing::WriteFile(dir_.path(), "rows.txt", "t;x\n0;1,5\n1;2,5\n2;3\n");
    platform.openAnswers << path;
    QString caption;
    QStringList firstChannelItems;
    QString proposed;
    platform.modalAnswer = [&](QDialog& dialog) {
      caption = dialog.windowTitle();
      auto* first = Find<QComboBox>(&dialog, "ComboBox3");
      for (int i = 0; i < first->count(); ++i) firstChannelItems << first->itemText(i);
      proposed = first->currentText();
      first->activated(2);  // "2-я колонка"
      Find<QCheckBox>(&dialog, "CheckBox1")->setChecked(false);
      return true;
    };
    window.OpenCommand();
    QCOMPARE(caption, QString::fromUtf8("Структура файла rows.txt и доп. параметры"));
    QCOMPARE(proposed, QString::fromUtf8("1-я колонка"));
    QCOMPARE(firstChannelItems,
             QStringList({QString::fromUtf8("не использ."), QString::fromUtf8("1-я колонка"),
                          QString::fromUtf8("2-я колонка")}));
    QCOMPARE(vorenta::SignalLength, 3u);
    QCOMPARE(vorenta::Channel1[0], 1.5);
    QCOMPARE(vorenta::Channel1[1], 2.5);
    QCOMPARE(vorenta::Channel1[2], 3.0);
    QCOMPARE(window.windowTitle(), path);
    QCOMPARE(Find<QLineEdit>(&window, "Edit4")->text(), QString("2"));
  }

  void oneChannelImportHidesTheSecondChartForGood() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    window.resize(900, 600);
    window.show();
    platform.openAnswers << vorenta::testing::WriteFile(dir_.path(), "one.txt", "1\n2\n3\n4\n");
    bool selectorsEnabled = true;
    platform.modalAnswer = [&](QDialog& dialog) {
      selectorsEnabled = Find<QComboBox>(&dialog, "ComboBox3")->isEnabled();
      return false;  // Cancel still loads column 1
    };
    window.OpenCommand();
    QVERIFY(!selectorsEnabled);
    QCOMPARE(vorenta::SignalLength, 4u);
    auto* splitter = Find<vorenta::ProportionalSplitter>(&window, "Splitter2");
    QCOMPARE(splitter->Share(), 0.0);
    QVERIFY(Find<QWidget>(&window, "Panel5")->isHidden());
    window.resize(1000, 700);
    QCoreApplication::processEvents();
    QVERIFY(Find<QWidget>(&window, "Panel5")->isHidden());
    QVERIFY(Find<QWidget>(&window, "Panel7")->isHidden());
  }

  void cancelForTwoColumnsKeepsTheProposedColumn() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    platform.openAnswers << vorenta::testing::WriteFile(dir_.path(), "two.txt", "1 10\n3 20\n5 30\n");
    platform.modalAnswer = [](QDialog&) { return false; };
    window.OpenCommand();
    QCOMPARE(vorenta::SignalLength, 3u);
    // Column 1 with the DC offset (3) removed, as the dialog's box says.
    QCOMPARE(vorenta::Channel1[0], -2.0);
    QCOMPARE(vorenta::Channel1[2], 2.0);
  }

  void refusedFileLeavesTheSignalAndTheViews() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    const QString good = vorenta::testing::WriteFile(dir_.path(), "good.txt", "1 2\n3 4\n5 6\n");
    const QString bad = vorenta::testing::WriteFile(dir_.path(), "bad.txt", "1 2\n3 4\n5\n");
    platform.openAnswers << good << bad;
    platform.modalAnswer = [](QDialog&) { return true; };
    window.OpenCommand();
    const double xMax = window.Signal().SignalChart1.XMax();
    const double first = vorenta::Channel1[0];
    window.OpenCommand();
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.front().startsWith(QString::fromUtf8("Неверные данные в файле bad.txt,\nСтрока: ")));
    QCOMPARE(vorenta::SignalLength, 3u);
    QCOMPARE(vorenta::Channel1[0], first);
    QCOMPARE(window.windowTitle(), good);
    QCOMPARE(window.Signal().SignalChart1.XMax(), xMax);
  }

  void cancelledFileDialogChangesNothing() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    window.OpenCommand();
    QCOMPARE(platform.openRequests, 1);
    QCOMPARE(platform.modalRuns, 0);
    QCOMPARE(vorenta::SignalLength, 0u);
  }

  void splitterShareSurvivesAResize() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    ShowWithGeneratedSignal(window, platform, 900, 700);
    auto* splitter = Find<vorenta::ProportionalSplitter>(&window, "Splitter2");
    QSplitterHandle* handle = splitter->handle(1);
    const int total = splitter->sizes()[0] + splitter->sizes()[1];
    const int target = total / 3;
    const QPoint grab(handle->width() / 2, 1);
    const int shift = target - splitter->sizes()[0];
    vorenta::testing::SendMouse(handle, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    vorenta::testing::SendMouse(handle, QEvent::MouseMove, grab + QPoint(0, shift), Qt::NoButton, Qt::LeftButton);
    vorenta::testing::SendMouse(handle, QEvent::MouseButtonRelease, grab + QPoint(0, shift), Qt::LeftButton,
                                Qt::NoButton);
    QVERIFY(std::abs(splitter->Share() - 1.0 / 3) < 0.02);
    window.resize(900, 500);
    QCoreApplication::processEvents();
    const QList<int> sizes = splitter->sizes();
    QVERIFY2(std::abs(static_cast<double>(sizes[0]) / (sizes[0] + sizes[1]) - 1.0 / 3) < 0.02,
             qPrintable(QString("%1 / %2").arg(sizes[0]).arg(sizes[1])));
  }

  void wheelOnAnyTabScrollsTheSignal() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    ShowWithGeneratedSignal(window, platform, 900, 600);
    auto* plot = Find<vorenta::PaintBox>(&window, "PaintBox1");
    vorenta::testing::Drag(plot, QPoint(50, 20), QPoint(150, 20));  // zoom to ~100 pixels of samples
    auto* scrollBar = Find<QScrollBar>(&window, "ScrollBar1");
    QVERIFY(scrollBar->isEnabled());
    const int before = scrollBar->value();
    window.tabs()->setCurrentIndex(1);
    QWidget* target = Find<QWidget>(&window, "Panel3");
    QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    QCOMPARE(scrollBar->value(), std::min(before + 120, scrollBar->maximum()));
    QCOMPARE(window.Signal().SignalChart1.XMin(), static_cast<double>(scrollBar->value()));
  }

  void controlCOnTheSignalTabDoesNothing() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    window.show();
    QTest::keyClick(Find<QWidget>(&window, "PaintBox1"), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(platform.clipboardText.isEmpty());
    QVERIFY(platform.clipboardImage.isNull());
  }

  void controlCOnTheTableViewCopiesTheComponentTable() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    window.show();
    platform.modalAnswer = AcceptGenerator;
    window.CreateSignalCommand();  // TimeStep 1
    vorenta::ResetResultModel();
    vorenta::ComponentCount = 2;
    vorenta::ComponentTable.Amplitude = {};
    vorenta::ComponentTable.Amplitude[0] = 2;
    vorenta::ComponentTable.Frequency[0] = 0.25;
    vorenta::ComponentTable.Phase[0] = 0.5;
    vorenta::ComponentTable.Amplitude[1] = 1;
    vorenta::ComponentTable.Frequency[1] = 0.1;
    auto* grid = Find<QTableWidget>(&window, "StringGrid1");
    grid->setRowCount(4);
    grid->setColumnCount(1);
    grid->setItem(3, 0, new QTableWidgetItem("_2"));  // the second component is excluded
    auto* table = Find<QRadioButton>(&window, "RadioButton4");
    table->setEnabled(true);
    table->setChecked(true);
    window.tabs()->setCurrentIndex(1);
    QTest::keyClick(Find<QWidget>(&window, "Panel3"), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(platform.clipboardText, QString("0\t1e+10\t0\r\n2\t4\t0.5\r\n"));
  }

  void saveWritesTheSelectionToTheChosenFile() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    platform.openAnswers << vorenta::testing::WriteFile(dir_.path(), "pair.txt", "1 0\n2.5 -1\n0.001 3\n");
    platform.modalAnswer = [](QDialog& dialog) {
      Find<QComboBox>(&dialog, "ComboBox4")->activated(1);  // "2-я колонка"
      Find<QCheckBox>(&dialog, "CheckBox1")->setChecked(false);
      return true;
    };
    window.OpenCommand();
    const QString target = dir_.filePath("saved.csv");
    platform.saveAnswers << target;
    window.SaveCommand();
    QCOMPARE(platform.lastSaveRequest.defaultSuffix, QString("csv"));
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("1.000000e+00\t0.000000e+00\r\n2.500000e+00\t-1.000000e+00\r\n"
                                        "1.000000e-03\t3.000000e+00\r\n"));
  }

  void saveFailureIsShownAndTheProgramGoesOn() {
    FakePlatform platform;
    vorenta::TForm1 window(platform);
    platform.modalAnswer = AcceptGenerator;
    window.CreateSignalCommand();
    const QString target = dir_.filePath("missing-folder/x.csv");
    platform.saveAnswers << target;
    window.SaveCommand();
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages.front(), QString("FileOpenClick: file \"%1\" can't be open").arg(target));
  }

 private:
  QTemporaryDir dir_;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
