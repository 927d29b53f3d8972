#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>
#include <cmath>
#include <numbers>

#include "core/signal_store.h"
#include "tests/ui/fake_platform.h"
#include "tests/ui/ui_test_support.h"
#include "ui/create_signal_form.h"

using vorenta::testing::Find;

namespace {

QString Cell(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item == nullptr ? QString() : item->text();
}

void SetCellText(QTableWidget* grid, int row, int column, const QString& text) {
  grid->setItem(row, column, new QTableWidgetItem(text));
}

}  // namespace

class CreateSignalFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    vorenta::ResetSignalStore();
    platform_.messages.clear();
    form_ = std::make_unique<vorenta::TForm2>(platform_);
    grid_ = Find<QTableWidget>(form_.get(), "StringGrid1");
  }
  void cleanup() { form_.reset(); }

  void startsWithOneDefaultExponentialRow() {
    QCOMPARE(form_->windowTitle(), QString("Create signal"));
    QCOMPARE(grid_->columnCount(), 5);
    QCOMPARE(grid_->rowCount(), 1);
    QCOMPARE(grid_->horizontalHeaderItem(4)->text(), QString("Damping Factor"));
    QCOMPARE(Cell(grid_, 0, 1), QString("1"));
    QCOMPARE(Cell(grid_, 0, 2), QString("0.1"));
    QVERIFY(Find<QRadioButton>(form_.get(), "RadioButton1")->isChecked());
    QVERIFY(Find<QCheckBox>(form_.get(), "CheckBox1")->isChecked());
    QCOMPARE(Find<QLineEdit>(form_.get(), "Edit1")->text(), QString("0"));
    QCOMPARE(Find<QLineEdit>(form_.get(), "Edit2")->text(), QString("1000"));
  }

  void complexDefaultRowIsCosineAndSine() {
    Accept();
    QCOMPARE(vorenta::SignalLength, 1000u);
    QVERIFY(std::abs(vorenta::Channel1[5] - (-1.0)) < 1e-12);
    QVERIFY(std::abs(vorenta::Channel2[5]) < 1e-12);
    for (int n : {1, 17, 999}) {
      QVERIFY(std::abs(vorenta::Channel1[n] - std::cos(0.2 * std::numbers::pi * n)) < 1e-12);
      QVERIFY(std::abs(vorenta::Channel2[n] - std::sin(0.2 * std::numbers::pi * n)) < 1e-12);
    }
    QVERIFY(vorenta::Channel2Present);
    QCOMPARE(vorenta::SelectionEnd, 999);
    QCOMPARE(vorenta::TimeBase.TimeStep(), 1.0);
  }

  void realSignalReadsSumOfSinusoidsAndHasNoSecondChannel() {
    Find<QCheckBox>(form_.get(), "CheckBox1")->click();
    QCOMPARE(Find<QRadioButton>(form_.get(), "RadioButton1")->text(), QString("Sum of Sinusoids"));
    Accept();
    QVERIFY(!form_->IsComplex());
    QVERIFY(!vorenta::Channel2Present);
    for (int n = 0; n < 1000; n += 37) QCOMPARE(vorenta::Channel2[n], 0.0);
  }

  void dampingLowersTheEnvelopeToOneOverEAtSample100() {
    SetCellText(grid_, 0, 2, "0");
    SetCellText(grid_, 0, 4, "-0.01");
    Accept();
    QVERIFY(std::abs(vorenta::Channel1[100] - std::exp(-1.0)) < 1e-12);
  }

  void chirpReachesOneHundredFiftyCyclesAtTheEnd() {
    Find<QRadioButton>(form_.get(), "RadioButton2")->click();
    QCOMPARE(grid_->columnCount(), 6);
    QCOMPARE(grid_->horizontalHeaderItem(2)->text(), QString("Frequency1"));
    QCOMPARE(Cell(grid_, 0, 3), QString("0.1"));  // Frequency copied into Frequency2
    SetCellText(grid_, 0, 3, "0.2");
    Accept();
    // theta(n) = 2 pi (0.1 n + 0.1 n^2 / 2000), 150 cycles at n = 1000.
    const double theta = 2 * std::numbers::pi * (0.1 * 999 + 0.1 * 999.0 * 999.0 / 2000);
    QVERIFY(std::abs(vorenta::Channel1[999] - std::cos(theta)) < 1e-9);
    QVERIFY(std::abs(vorenta::Channel2[999] - std::sin(theta)) < 1e-9);
  }

  void switchingModesKeepsTheRowValues() {
    SetCellText(grid_, 0, 1, "2");
    SetCellText(grid_, 0, 2, "0.3");
    SetCellText(grid_, 0, 3, "0.5");
    SetCellText(grid_, 0, 4, "-0.02");
    Find<QRadioButton>(form_.get(), "RadioButton2")->click();
    QCOMPARE(Cell(grid_, 0, 4), QString("0.5"));
    QCOMPARE(Cell(grid_, 0, 5), QString("-0.02"));
    Find<QRadioButton>(form_.get(), "RadioButton1")->click();
    QCOMPARE(grid_->columnCount(), 5);
    QCOMPARE(Cell(grid_, 0, 1), QString("2"));
    QCOMPARE(Cell(grid_, 0, 2), QString("0.3"));
    QCOMPARE(Cell(grid_, 0, 3), QString("0.5"));
    QCOMPARE(Cell(grid_, 0, 4), QString("-0.02"));
  }

  void cancelBringsBackTheLastAcceptedTable() {
    SetCellText(grid_, 0, 1, "3");
    Accept();
    form_->AddClick();
    SetCellText(grid_, 0, 1, "9");
    Find<QRadioButton>(form_.get(), "RadioButton2")->click();
    Find<QCheckBox>(form_.get(), "CheckBox1")->click();
    form_->CancelClick();
    QCOMPARE(form_->result(), static_cast<int>(QDialog::Rejected));
    QCOMPARE(grid_->rowCount(), 1);
    QCOMPARE(grid_->columnCount(), 5);
    QCOMPARE(Cell(grid_, 0, 1), QString("3"));
    QVERIFY(Find<QRadioButton>(form_.get(), "RadioButton1")->isChecked());
    QVERIFY(Find<QCheckBox>(form_.get(), "CheckBox1")->isChecked());
  }

  void cancelBeforeAnyOkKeepsTheDefaultRow() {
    SetCellText(grid_, 0, 1, "5");
    form_->CancelClick();
    QCOMPARE(Cell(grid_, 0, 1), QString("1"));
    QCOMPARE(Cell(grid_, 0, 2), QString("0.1"));
  }

  void deleteShiftsRowsUp() {
    form_->AddClick();
    form_->AddClick();
    SetCellText(grid_, 1, 1, "2");
    SetCellText(grid_, 2, 1, "3");
    grid_->setCurrentCell(1, 1);  // the second component row keeps the length
    form_->DeleteClick();
    QCOMPARE(grid_->rowCount(), 3);
    QCOMPARE(Cell(grid_, 1, 1), QString("3"));
    QCOMPARE(Cell(grid_, 2, 1), QString());
    grid_->setCurrentCell(2, 1);  // the third one is removed
    form_->DeleteClick();
    QCOMPARE(grid_->rowCount(), 2);
    form_->ClearAllClick();
    QCOMPARE(grid_->rowCount(), 1);
    QCOMPARE(Cell(grid_, 0, 1), QString("1"));
  }

  void refusesFewerThanTwoSamples_data() {
    QTest::addColumn<QString>("samples");
    QTest::newRow("one") << "1";
    QTest::newRow("negative") << "-5";
    QTest::newRow("not a number") << "many";
  }
  void refusesFewerThanTwoSamples() {
    QFETCH(QString, samples);
    Find<QLineEdit>(form_.get(), "Edit2")->setText(samples);
    form_->OkClick();
    QCOMPARE(platform_.messages.size(), 1);
    QVERIFY(form_->result() != QDialog::Accepted);
    QCOMPARE(vorenta::SignalLength, 0u);
  }

 private:
  void Accept() {
    form_->OkClick();
    QCOMPARE(form_->result(), static_cast<int>(QDialog::Accepted));
    form_->Synthesise();
  }

  vorenta::testing::FakePlatform platform_;
  std::unique_ptr<vorenta::TForm2> form_;
  QTableWidget* grid_ = nullptr;
};

QTEST_MAIN(CreateSignalFormTest)
#include "create_signal_form_test.moc"
