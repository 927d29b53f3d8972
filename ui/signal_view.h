#pragma once
// The "Signal" tab: the two channel plots over a shared sample axis, the
// sample strip, the five view tools with their rubber bands, the selection
// markers, the scroll bar and the "Select", "Select all" and "Crop" commands.
//
// Controls (object names): ToolBar1 with ToolButton1 (box zoom),
// ToolButton2 (horizontal zoom, down at start), ToolButton3 (vertical zoom),
// ToolButton4 (show whole, a command), ToolButton5 (pan); Splitter2 between
// Panel2 (PaintBox1, Channel1) and Panel5 (PaintBox3, Channel2); Panel14
// (PaintBox9, the strip); Panel1 with ScrollBar1, Button1 "Open", Button2
// "Create signal", Button3 "Crop", Button5 "Save", Edit3 "Start:", Edit4
// "End:", Button6 "Select" and Button7 "Select all".

#include <QObject>
#include <QPoint>
#include <functional>

#include "core/chart_axes.h"
#include "ui/chart.h"

class QLineEdit;
class QMouseEvent;
class QPushButton;
class QScrollBar;
class QToolButton;
class QWidget;

namespace vorenta {

class PaintBox;
class Platform;
class ProportionalSplitter;

class SignalView : public QObject {
  Q_OBJECT

 public:
  // The view tools; Box, Horizontal, Vertical and Pan are modes.
  enum class Tool { Box = 1, Horizontal = 2, Vertical = 3, Pan = 5 };

  // Builds the tab's controls on `page`. `realChart` and `imagChart` are the
  // two plots of the "Spectrum estimation" tab that follow the selection.
  SignalView(QWidget* page, Platform& platform, Chart& realChart, Chart& imagChart);

  // After an import or a generation: shows the charts of the present
  // channels (the splitter share 0.5 for two, 0 for one), then both charts
  // get the whole signal horizontally and their channel's fitted range
  // vertically; steps, scroll bar, "Start:"/"End:" and repaint follow.
  void ShowNewSignal(bool channel1Present, bool channel2Present);
  // Both charts: horizontal range SelectionStart .. SelectionEnd, vertical
  // range the fitted extremes of their channel over it; scroll bar updated.
  void ResetSignalView();
  // The spectrum tab's plots: horizontal SelectionStart .. SelectionEnd +
  // ExtrapolationLength, vertical the fitted extremes of their channel over
  // the selection.
  void FitSelectionPlots();
  // Scroll bar from the visible span: enabled with maximum f - CropStart,
  // f = trunc(CropEnd - span), when CropStart < f; disabled otherwise.
  void UpdateScrollBar();
  // The mouse wheel: the scroll bar moves by `delta`, within its range, and
  // the plots follow.
  void ScrollByWheel(int delta);
  // Tool 4: the whole cropped signal.
  void ShowWhole();
  void SelectClick();
  void SelectAllClick();
  void CropClick();
  void SetTool(Tool tool);
  Tool CurrentTool() const { return tool_; }
  // Repaints both plots and the strip.
  void Repaint();

  Chart SignalChart1;
  Chart SignalChart2;
  TickSteps SignalSteps;
  bool SignalLoaded = false;

  PaintBox* Plot(int index) const { return index == 0 ? paintBox1_ : paintBox3_; }
  PaintBox* Strip() const { return paintBox9_; }
  ProportionalSplitter* Splitter() const { return splitter2_; }

 Q_SIGNALS:
  void OpenClicked();
  void CreateSignalClicked();
  void SaveClicked();
  // The spectrum tab's plots got new ranges and must be repainted.
  void SelectionPlotsChanged();

 private:
  struct DragState {
    int plot = -1;  // the plot being zoom/pan-dragged, -1 when none
    QPoint press;
    QPoint last;
    bool band = false;  // a rubber figure is shown
    bool startMarker = false;
    bool endMarker = false;
  };

  void BuildToolBar(QWidget* page);
  void BuildCommandPanel(QWidget* page);
  void InstallNormalHandlers(int plot);
  void InstallDragHandlers(int plot);
  Chart& ChartOf(int plot) { return plot == 0 ? SignalChart1 : SignalChart2; }
  Chart& OtherChart(int plot) { return plot == 0 ? SignalChart2 : SignalChart1; }

  void PaintPlot(QPainter& painter, int plot);
  void PaintStrip(QPainter& painter);
  void PaintBand(QPainter& painter, int plot);
  void MouseDown(int plot, QMouseEvent& event);
  void MouseMove(int plot, QMouseEvent& event);
  void MouseUp(int plot, QMouseEvent& event);
  void DragMove(int plot, QMouseEvent& event);
  void DragUp(int plot, QMouseEvent& event);
  void ScrollBarChange(int position);
  void SetHorizontalRange(double a, double b);
  void FitVerticalRanges(std::int32_t from, std::int32_t to);
  void RecomputeSteps();
  void ShowSelectionInFields();
  QPoint LimitToPlot(int plot, QPoint point) const;
  double Tolerance(const Chart& chart) const;
  bool HasSignal() const;

  Platform& platform_;
  Chart& realChart_;
  Chart& imagChart_;
  PaintBox* paintBox1_ = nullptr;
  PaintBox* paintBox3_ = nullptr;
  PaintBox* paintBox9_ = nullptr;
  ProportionalSplitter* splitter2_ = nullptr;
  QScrollBar* scrollBar1_ = nullptr;
  QLineEdit* startEdit_ = nullptr;
  QLineEdit* endEdit_ = nullptr;
  QToolButton* toolButtons_[5] = {};
  Tool tool_ = Tool::Horizontal;
  DragState drag_;
};

}  // namespace vorenta
