#include "ui/create_signal_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/number_format.h"
#include "core/signal_synthesis.h"
#include "ui/platform.h"

namespace vorenta {

namespace {

constexpr int kExponentialColumns = 5;
constexpr int kChirpColumns = 6;

QPushButton* AddButton(QVBoxLayout* layout, const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  layout->addWidget(button);
  return button;
}

}  // namespace

TForm2::TForm2(Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform), grid_(new QTableWidget(this)),
      exponentials_(new QRadioButton("Sum of Exponentials", this)),
      chirps_(new QRadioButton("Line Frequency Modulation", this)), complex_(new QCheckBox("Complex Signal", this)),
      noise_(new QLineEdit("0", this)), samples_(new QLineEdit("1000", this)) {
  setObjectName("Form2");
  setWindowTitle("Create signal");
  resize(712, 435);
  grid_->setObjectName("StringGrid1");
  grid_->verticalHeader()->hide();
  grid_->setTabKeyNavigation(true);
  exponentials_->setObjectName("RadioButton1");
  exponentials_->setChecked(true);
  chirps_->setObjectName("RadioButton2");
  complex_->setObjectName("CheckBox1");
  complex_->setChecked(true);
  noise_->setObjectName("Edit1");
  samples_->setObjectName("Edit2");

  auto* side = new QVBoxLayout();
  side->addWidget(exponentials_);
  side->addWidget(chirps_);
  side->addWidget(complex_);
  auto* fields = new QGridLayout();
  fields->addWidget(new QLabel("Noise:", this), 0, 0);
  fields->addWidget(noise_, 0, 1);
  fields->addWidget(new QLabel("Samples:", this), 1, 0);
  fields->addWidget(samples_, 1, 1);
  side->addLayout(fields);
  connect(AddButton(side, "Button1", "Add", this), &QPushButton::clicked, this, [this] { AddClick(); });
  connect(AddButton(side, "Button2", "Delete", this), &QPushButton::clicked, this, [this] { DeleteClick(); });
  connect(AddButton(side, "Button3", "Clear all", this), &QPushButton::clicked, this, [this] { ClearAllClick(); });
  side->addStretch(1);
  QPushButton* ok = AddButton(side, "Button4", "OK", this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(AddButton(side, "Button5", "Cancel", this), &QPushButton::clicked, this, [this] { CancelClick(); });
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addLayout(side);

  connect(complex_, &QCheckBox::clicked, this, [this] { ApplyComplexCaption(); });
  connect(exponentials_, &QRadioButton::clicked, this, [this] { SetChirpMode(false); });
  connect(chirps_, &QRadioButton::clicked, this, [this] { SetChirpMode(true); });

  grid_->setColumnCount(kExponentialColumns);
  ApplyHeaders();
  ApplyComplexCaption();
  ClearAllClick();
  saved_ = CurrentState();
}

bool TForm2::IsChirpMode() const { return saved_.chirp; }

bool TForm2::IsComplex() const { return saved_.complex; }

void TForm2::ApplyHeaders() {
  const bool chirp = grid_->columnCount() == kChirpColumns;
  grid_->setHorizontalHeaderLabels(chirp ? QStringList{"", "Amplitude", "Frequency1", "Frequency2", "Phase",
                                                       "Damping Factor"}
                                         : QStringList{"", "Amplitude", "Frequency", "Phase", "Damping Factor"});
  ApplyColumnWidths();
}

void TForm2::ApplyColumnWidths() {
  const int dataColumns = grid_->columnCount() - 1;
  if (dataColumns <= 0) return;
  grid_->setColumnWidth(0, 32);
  const int width = std::max(20, (grid_->viewport()->width() - grid_->columnWidth(0) - 8) / dataColumns);
  for (int column = 1; column <= dataColumns; ++column) grid_->setColumnWidth(column, width);
}

void TForm2::ApplyComplexCaption() {
  exponentials_->setText(complex_->isChecked() ? "Sum of Exponentials" : "Sum of Sinusoids");
}

void TForm2::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  ApplyColumnWidths();
}

void TForm2::SetCell(int row, int column, const QString& text) {
  auto* item = new QTableWidgetItem(text);
  if (column == 0) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  grid_->setItem(row, column, item);
}

double TForm2::CellValue(int row, int column) const {
  const QTableWidgetItem* item = grid_->item(row, column);
  return item == nullptr ? 0.0 : ReadDecimalPrefix(item->text().toStdString());
}

void TForm2::RenumberRows() {
  for (int row = 0; row < grid_->rowCount(); ++row) SetCell(row, 0, QString::number(row + 1));
}

void TForm2::AddClick() {
  const int row = grid_->rowCount();
  grid_->insertRow(row);
  SetCell(row, 0, QString::number(row + 1));
  SetCell(row, 1, "1");
  SetCell(row, 2, "0.1");
  int column = 3;
  if (grid_->columnCount() == kChirpColumns) SetCell(row, column++, "0.2");
  SetCell(row, column++, "0");
  SetCell(row, column, "0");
}

void TForm2::DeleteClick() {
  const int current = grid_->currentRow();
  if (current < 0) return;
  const int last = grid_->rowCount() - 1;
  for (int row = current; row < last; ++row) {
    for (int column = 1; column < grid_->columnCount(); ++column) {
      const QTableWidgetItem* below = grid_->item(row + 1, column);
      SetCell(row, column, below == nullptr ? QString() : below->text());
    }
  }
  for (int column = 1; column < grid_->columnCount(); ++column) SetCell(last, column, QString());
  // Rows are counted from the header, as the user sees them: the first two
  // component rows keep the table's length and leave an empty last row.
  if (current + 1 > 2) grid_->removeRow(last);
}

void TForm2::ClearAllClick() {
  grid_->setRowCount(0);
  AddClick();
}

void TForm2::SetChirpMode(bool chirp) {
  const bool isChirp = grid_->columnCount() == kChirpColumns;
  if (chirp == isChirp) return;
  const auto text = [this](int row, int column) {
    const QTableWidgetItem* item = grid_->item(row, column);
    return item == nullptr ? QString() : item->text();
  };
  if (chirp) {
    grid_->setColumnCount(kChirpColumns);
    for (int row = 0; row < grid_->rowCount(); ++row) {
      SetCell(row, 5, text(row, 4));
      SetCell(row, 4, text(row, 3));
      SetCell(row, 3, text(row, 2));
    }
  } else {
    for (int row = 0; row < grid_->rowCount(); ++row) {
      SetCell(row, 3, text(row, 4));
      SetCell(row, 4, text(row, 5));
    }
    grid_->setColumnCount(kExponentialColumns);
  }
  const QSignalBlocker blockExponentials(exponentials_);
  const QSignalBlocker blockChirps(chirps_);
  exponentials_->setChecked(!chirp);
  chirps_->setChecked(chirp);
  ApplyHeaders();
}

TForm2::SavedState TForm2::CurrentState() const {
  SavedState state;
  state.columns = grid_->columnCount();
  state.chirp = chirps_->isChecked();
  state.complex = complex_->isChecked();
  for (int row = 0; row < grid_->rowCount(); ++row) {
    std::vector<double> values;
    for (int column = 1; column < grid_->columnCount(); ++column) values.push_back(CellValue(row, column));
    state.rows.push_back(std::move(values));
  }
  return state;
}

void TForm2::Restore(const SavedState& state) {
  grid_->setColumnCount(state.columns);
  grid_->setRowCount(static_cast<int>(state.rows.size()));
  for (int row = 0; row < grid_->rowCount(); ++row) {
    for (int column = 1; column < state.columns; ++column) {
      SetCell(row, column, QString::fromStdString(FormatGeneral(state.rows[static_cast<std::size_t>(row)]
                                                                     [static_cast<std::size_t>(column - 1)])));
    }
  }
  RenumberRows();
  exponentials_->setChecked(!state.chirp);
  chirps_->setChecked(state.chirp);
  complex_->setChecked(state.complex);
  ApplyComplexCaption();
  ApplyHeaders();
}

void TForm2::OkClick() {
  if (ReadInteger(samples_->text().toStdString()) < kSmallestGeneratorSamples) {
    platform_.ShowMessage(this, QString::fromUtf8(kTooFewSamplesMessage));
    return;
  }
  saved_ = CurrentState();
  accept();
}

void TForm2::CancelClick() {
  Restore(saved_);
  reject();
}

void TForm2::Synthesise() {
  GeneratorSettings settings;
  settings.Mode = saved_.chirp ? GeneratorMode::kLineFrequencyModulation : GeneratorMode::kSumOfExponentials;
  settings.ComplexSignal = saved_.complex;
  settings.Noise = ReadDecimalPrefix(noise_->text().toStdString());
  settings.Samples = ReadInteger(samples_->text().toStdString());
  for (const std::vector<double>& row : saved_.rows) {
    const auto cell = [&row](std::size_t i) { return i < row.size() ? row[i] : 0.0; };
    GeneratorComponent component;
    component.Amplitude = cell(0);
    component.Frequency = cell(1);
    const std::size_t phase = saved_.chirp ? 3 : 2;
    if (saved_.chirp) component.Frequency2 = cell(2);
    component.Phase = cell(phase);
    component.Damping = cell(phase + 1);
    settings.Components.push_back(component);
  }
  SynthesiseSignal(settings);
}

}  // namespace vorenta
