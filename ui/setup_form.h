#pragma once
// TSetupForm, the import settings dialog: which file column goes into each
// channel, the decimation factor and the two processing options. A new
// dialog is made for every import.
//
// Controls: ComboBox3 ("1-st channel:") and ComboBox4 ("2-nd channel:"),
// drop-down lists whose first item is "не использ." followed by
// "<n>-я колонка" for every column the other channel has not taken; a
// column of 0 shows an empty text. SpinEdit1 ("Decimation:", 1 .. 10000),
// CheckBox1 "Remove DC offset", CheckBox2 "Transform into the analitical
// signal", Button1 "OK" (default) and Button2 "Cancel" (Esc).

#include <QDialog>
#include <cstdint>

#include "core/import_pipeline.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace vorenta {

class TSetupForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSetupForm(QWidget* parent = nullptr);

  // Takes the caption, column count, decimation, proposed columns and
  // whether the selectors are enabled from `request`.
  void Apply(const ImportSettingsRequest& request);
  // The dialog's answer after it closed with OK (`accepted`) or Cancel.
  ImportSettingsAnswer Answer(bool accepted) const;

  std::int16_t Column1() const { return column1_; }
  std::int16_t Column2() const { return column2_; }

 private:
  // Refills both lists from the column count and the two chosen columns.
  void FillSelectors();
  void FillSelector(QComboBox* selector, std::int16_t own, std::int16_t other);

  QComboBox* firstChannel_;
  QComboBox* secondChannel_;
  QSpinBox* decimation_;
  QCheckBox* removeDcOffset_;
  QCheckBox* analyticTransform_;
  std::int16_t column1_ = 0;
  std::int16_t column2_ = 0;
  std::uint16_t columnCount_ = 0;
};

}  // namespace vorenta
