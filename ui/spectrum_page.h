#pragma once
// The controls of the "Spectrum estimation" tab with their start-up
// defaults: the tool bar of two groups of five buttons (ToolButton2_1 ..
// ToolButton2_5, spacer Panel11, ToolButton2__1 .. ToolButton2__5); the
// signal and model plots Panel6 (PaintBox2) and Panel7 (PaintBox4) split by
// Splitter3 on the left; Splitter1; the spectrum panel Panel10 (PaintBox6
// and the component table StringGrid1) on the right; the parameter panel
// Panel3 (method list ComboBox2, Edit1/Label12, Edit14/Label30, Edit2/Label7,
// Button4 "Run", the read-outs, RadioButton3 "Graph" and RadioButton4
// "Table").

#include <QWidget>

class QSplitter;
class QTableWidget;

namespace vorenta {

class PaintBox;
class ProportionalSplitter;

struct SpectrumPage {
  PaintBox* PaintBox2 = nullptr;
  PaintBox* PaintBox4 = nullptr;
  PaintBox* PaintBox6 = nullptr;
  ProportionalSplitter* Splitter3 = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* Panel11 = nullptr;
  QTableWidget* StringGrid1 = nullptr;
};

// Builds the controls on `page`; the splitter share starts at 0.5.
SpectrumPage BuildSpectrumPage(QWidget* page);

}  // namespace vorenta
