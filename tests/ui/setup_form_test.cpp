#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QtTest>

#include "tests/ui/ui_test_support.h"
#include "ui/setup_form.h"

using vorenta::testing::Find;

namespace {

vorenta::ImportSettingsRequest Request(std::uint16_t columns, std::int16_t proposed, bool enabled) {
  vorenta::ImportSettingsRequest request;
  request.caption = "Структура файла data.txt и доп. параметры";
  request.columnCount = columns;
  request.proposedColumn1 = proposed;
  request.selectorsEnabled = enabled;
  request.decimation = 3;
  return request;
}

QStringList Items(const QComboBox* selector) {
  QStringList items;
  for (int i = 0; i < selector->count(); ++i) items << selector->itemText(i);
  return items;
}

int IndexOf(const QComboBox* selector, const QString& text) { return Items(selector).indexOf(text); }

QString Column(int n) { return QString::number(n) + QString::fromUtf8("-я колонка"); }

}  // namespace

class SetupFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void showsTheRequestWithDefaults() {
    vorenta::TSetupForm form;
    form.Apply(Request(3, 2, true));
    QCOMPARE(form.windowTitle(), QString::fromUtf8("Структура файла data.txt и доп. параметры"));
    QCOMPARE(form.size(), QSize(195, 227));
    auto* first = Find<QComboBox>(&form, "ComboBox3");
    auto* second = Find<QComboBox>(&form, "ComboBox4");
    QCOMPARE(Items(first), QStringList({QString::fromUtf8("не использ."), Column(1), Column(2), Column(3)}));
    QCOMPARE(first->currentText(), Column(2));
    QCOMPARE(second->currentText(), QString());  // no second column proposed
    QVERIFY(!Items(second).contains(Column(2)));
    auto* decimation = Find<QSpinBox>(&form, "SpinEdit1");
    QCOMPARE(decimation->value(), 3);
    QCOMPARE(decimation->minimum(), 1);
    QCOMPARE(decimation->maximum(), 10000);
    QVERIFY(!decimation->wrapping());
    QCOMPARE(Find<QCheckBox>(&form, "CheckBox1")->text(), QString("Remove DC offset"));
    QVERIFY(Find<QCheckBox>(&form, "CheckBox1")->isChecked());
    QCOMPARE(Find<QCheckBox>(&form, "CheckBox2")->text(), QString("Transform into the analitical signal"));
    QVERIFY(!Find<QCheckBox>(&form, "CheckBox2")->isChecked());
  }

  void choosingAColumnTakesItFromTheOtherList() {
    vorenta::TSetupForm form;
    form.Apply(Request(12, 1, true));
    auto* first = Find<QComboBox>(&form, "ComboBox3");
    auto* second = Find<QComboBox>(&form, "ComboBox4");
    first->activated(IndexOf(first, Column(12)));
    QCOMPARE(form.Column1(), 12);
    QCOMPARE(first->currentText(), Column(12));
    second->activated(IndexOf(second, Column(2)));
    QCOMPARE(form.Column2(), 2);
    QVERIFY(!Items(first).contains(Column(2)));
    QVERIFY(Items(first).contains(Column(1)));
    QVERIFY(!Items(second).contains(Column(12)));
    second->activated(0);  // "не использ."
    QCOMPARE(form.Column2(), 0);
    QCOMPARE(second->currentText(), QString());
    QVERIFY(Items(first).contains(Column(2)));
  }

  void oneColumnFileDisablesTheSelectors() {
    vorenta::TSetupForm form;
    form.Apply(Request(1, 1, false));
    QVERIFY(!Find<QComboBox>(&form, "ComboBox3")->isEnabled());
    QVERIFY(!Find<QComboBox>(&form, "ComboBox4")->isEnabled());
  }

  void answerCarriesTheOptionsEitherWay_data() {
    QTest::addColumn<bool>("accepted");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
  }
  void answerCarriesTheOptionsEitherWay() {
    QFETCH(bool, accepted);
    vorenta::TSetupForm form;
    form.Apply(Request(4, 1, true));
    auto* first = Find<QComboBox>(&form, "ComboBox3");
    first->activated(IndexOf(first, Column(3)));
    Find<QSpinBox>(&form, "SpinEdit1")->setValue(7);
    Find<QCheckBox>(&form, "CheckBox1")->setChecked(false);
    Find<QCheckBox>(&form, "CheckBox2")->setChecked(true);
    const vorenta::ImportSettingsAnswer answer = form.Answer(accepted);
    QCOMPARE(answer.accepted, accepted);
    QCOMPARE(answer.column1, 3);
    QCOMPARE(answer.decimation, 7);
    QVERIFY(!answer.removeDcOffset);
    QVERIFY(answer.analyticTransform);
  }
};

QTEST_MAIN(SetupFormTest)
#include "setup_form_test.moc"
