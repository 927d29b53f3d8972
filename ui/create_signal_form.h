#pragma once
// TForm2, the signal generator dialog ("Create signal"): a table of
// components (damped complex exponentials or linear chirps), the noise level
// and the number of samples. It lives as long as the main window and keeps
// its table between uses; "Cancel" brings back the table of the last "OK".
//
// Controls: StringGrid1 (column 0 the row number, then "Amplitude",
// "Frequency", "Phase", "Damping Factor", or in chirp mode "Amplitude",
// "Frequency1", "Frequency2", "Phase", "Damping Factor"), RadioButton1
// "Sum of Exponentials" / "Sum of Sinusoids", RadioButton2 "Line Frequency
// Modulation", CheckBox1 "Complex Signal", Edit1 "Noise:", Edit2
// "Samples:", Button1 "Add", Button2 "Delete", Button3 "Clear all",
// Button4 "OK", Button5 "Cancel".

#include <QDialog>
#include <vector>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace vorenta {

class Platform;

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  // `platform` shows the refusal of a bad "Samples:" value.
  TForm2(Platform& platform, QWidget* parent = nullptr);

  // Fills the signal store from the table of the last OK, "Noise:" and
  // "Samples:" (Decimation 1, time stamps 0 .. N-1, the whole signal selected
  // and cropped). Throws VorentaError when the synthesis overflows; the
  // store is then unchanged.
  void Synthesise();
  // "Complex Signal" as accepted by the last OK.
  bool IsComplex() const;
  bool IsChirpMode() const;

  void AddClick();
  void DeleteClick();
  void ClearAllClick();
  void OkClick();
  void CancelClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct SavedState {
    int columns = 5;
    std::vector<std::vector<double>> rows;  // columns 1 .. last of every component row
    bool chirp = false;
    bool complex = true;
  };

  void SetChirpMode(bool chirp);
  void ApplyHeaders();
  void ApplyColumnWidths();
  void ApplyComplexCaption();
  void SetCell(int row, int column, const QString& text);
  double CellValue(int row, int column) const;
  void RenumberRows();
  SavedState CurrentState() const;
  void Restore(const SavedState& state);

  Platform& platform_;
  QTableWidget* grid_;
  QRadioButton* exponentials_;
  QRadioButton* chirps_;
  QCheckBox* complex_;
  QLineEdit* noise_;
  QLineEdit* samples_;
  SavedState saved_;
};

}  // namespace vorenta
