#include "ui/setup_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace vorenta {

namespace {

const char kNotUsed[] = "не использ.";
constexpr int kMaximumDecimation = 10000;

QComboBox* MakeSelector(const char* name, QWidget* parent) {
  auto* selector = new QComboBox(parent);
  selector->setObjectName(name);
  selector->setEditable(false);
  return selector;
}

}  // namespace

TSetupForm::TSetupForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      firstChannel_(MakeSelector("ComboBox3", this)),
      secondChannel_(MakeSelector("ComboBox4", this)),
      decimation_(new QSpinBox(this)),
      removeDcOffset_(new QCheckBox("Remove DC offset", this)),
      analyticTransform_(new QCheckBox("Transform into the analitical signal", this)) {
  setObjectName("SetupForm");
  setFixedSize(195, 227);
  firstChannel_->setToolTip(QString::fromUtf8("Какая колонка внутри файла содержит исследуемый сигнал"));
  decimation_->setObjectName("SpinEdit1");
  decimation_->setRange(1, kMaximumDecimation);
  decimation_->setWrapping(false);
  removeDcOffset_->setObjectName("CheckBox1");
  removeDcOffset_->setChecked(true);
  analyticTransform_->setObjectName("CheckBox2");

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button1");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Button2");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* form = new QFormLayout();
  form->addRow("1-st channel:", firstChannel_);
  form->addRow("2-nd channel:", secondChannel_);
  form->addRow("Decimation:", decimation_);
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(form);
  layout->addLayout(buttons);
  layout->addWidget(removeDcOffset_);
  layout->addWidget(analyticTransform_);

  setTabOrder(firstChannel_, secondChannel_);
  setTabOrder(secondChannel_, decimation_);
  setTabOrder(decimation_, ok);
  setTabOrder(ok, cancel);
  setTabOrder(cancel, removeDcOffset_);
  setTabOrder(removeDcOffset_, analyticTransform_);

  connect(firstChannel_, &QComboBox::activated, this, [this](int index) {
    column1_ = static_cast<std::int16_t>(firstChannel_->itemData(index).toInt());
    FillSelectors();
  });
  connect(secondChannel_, &QComboBox::activated, this, [this](int index) {
    column2_ = static_cast<std::int16_t>(secondChannel_->itemData(index).toInt());
    FillSelectors();
  });
}

void TSetupForm::Apply(const ImportSettingsRequest& request) {
  setWindowTitle(QString::fromStdString(request.caption));
  columnCount_ = request.columnCount;
  column1_ = request.proposedColumn1;
  column2_ = request.proposedColumn2;
  decimation_->setValue(std::clamp<int>(request.decimation, 1, kMaximumDecimation));
  removeDcOffset_->setChecked(request.removeDcOffset);
  analyticTransform_->setChecked(request.analyticTransform);
  firstChannel_->setEnabled(request.selectorsEnabled);
  secondChannel_->setEnabled(request.selectorsEnabled);
  FillSelectors();
}

ImportSettingsAnswer TSetupForm::Answer(bool accepted) const {
  ImportSettingsAnswer answer;
  answer.accepted = accepted;
  answer.column1 = column1_;
  answer.column2 = column2_;
  answer.decimation = static_cast<std::uint16_t>(decimation_->value());
  answer.removeDcOffset = removeDcOffset_->isChecked();
  answer.analyticTransform = analyticTransform_->isChecked();
  return answer;
}

void TSetupForm::FillSelectors() {
  FillSelector(firstChannel_, column1_, column2_);
  FillSelector(secondChannel_, column2_, column1_);
}

void TSetupForm::FillSelector(QComboBox* selector, std::int16_t own, std::int16_t other) {
  const QSignalBlocker blocker(selector);
  selector->clear();
  selector->addItem(QString::fromUtf8(kNotUsed), 0);
  int chosen = -1;
  for (int n = 1; n <= columnCount_; ++n) {
    if (n == other) continue;
    selector->addItem(QString::number(n) + QString::fromUtf8("-я колонка"), n);
    if (n == own) chosen = selector->count() - 1;
  }
  selector->setCurrentIndex(chosen);
}

}  // namespace vorenta
