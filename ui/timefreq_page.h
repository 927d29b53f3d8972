#pragma once
// The controls of the "Time-frequency distribution" tab with their start-up
// defaults: the tool bar (ToolButton3_1 .. ToolButton3_6); the image panel
// Panel9 (PaintBox5, frequency scale PaintBox7 on its left, time scale
// PaintBox10 under it); Splitter4; the strip panel Panel3_12 (ProgressBar1,
// progress text Label28, PaintBox3_8); Splitter7; the strip panel Panel3_20
// (PaintBox3_13); the parameter panel Panel8 (method list ComboBox1, Edit5
// "Moving Window size:", Edit9, Edit10, Edit15, Edit16, Edit6 "Step:",
// Button8 "Run", Button9 "Stop", "Fs=" Edit3_13).

#include <QWidget>

namespace vorenta {

class PaintBox;
class ProportionalSplitter;

struct TimeFrequencyPage {
  PaintBox* PaintBox5 = nullptr;
  PaintBox* PaintBox3_8 = nullptr;
  PaintBox* PaintBox3_13 = nullptr;
  // Panel9 against the strips (share 0.9) and Panel3_12 against Panel3_20
  // (share 0.5).
  ProportionalSplitter* Splitter4 = nullptr;
  ProportionalSplitter* Splitter7 = nullptr;
};

TimeFrequencyPage BuildTimeFrequencyPage(QWidget* page);

}  // namespace vorenta
