#include "ui/signal_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/number_format.h"
#include "core/signal_store.h"
#include "spectrum/result_model.h"
#include "ui/page_builder.h"
#include "ui/paint_box.h"
#include "ui/platform.h"
#include "ui/proportional_splitter.h"
#include "ui/signal_plot.h"
#include "ui/tool_icons.h"

namespace vorenta {

namespace {

constexpr int kMarkerGrabPixels = 10;
constexpr int kMarkerGapSamples = 10;
constexpr int kZoomThresholdPixels = 3;

// The extremes of `channel` over from .. to (reads outside give 0), through
// FitRange; an empty range gives -1 .. 1.
std::pair<double, double> FittedExtremes(const SignalClass& channel, std::int32_t from, std::int32_t to) {
  double low = 0;
  double high = 0;
  if (from <= to) {
    low = high = channel[from];
    const std::span<const double> values = channel.Values();
    const std::int32_t inFirst = std::max<std::int32_t>(from, 0);
    const std::int32_t inLast = std::min<std::int32_t>(to, channel.Count() - 1);
    if (inFirst <= inLast) {
      const auto stretch = values.subspan(static_cast<std::size_t>(inFirst), static_cast<std::size_t>(inLast - inFirst + 1));
      const auto [lowest, highest] = std::minmax_element(stretch.begin(), stretch.end());
      low = std::min(low, *lowest);
      high = std::max(high, *highest);
    }
    if (from < inFirst || to > inLast) {
      low = std::min(low, 0.0);
      high = std::max(high, 0.0);
    }
  }
  FitRange(low, high);
  return {low, high};
}

}  // namespace

SignalView::SignalView(QWidget* page, Platform& platform, Chart& realChart, Chart& imagChart)
    : QObject(page), SignalChart1(nullptr), SignalChart2(nullptr), platform_(platform),
      realChart_(realChart), imagChart_(imagChart) {
  QVBoxLayout* layout = TightColumn(page);
  BuildToolBar(page);
  layout->addWidget(page->findChild<QWidget*>("ToolBar1"));

  splitter2_ = new ProportionalSplitter("Splitter2", 0.5, page);
  QWidget* panel2 = AddPanel(nullptr, "Panel2", splitter2_);
  QWidget* panel5 = AddPanel(nullptr, "Panel5", splitter2_);
  panel2->setMinimumHeight(10);
  panel5->setMinimumHeight(10);
  paintBox1_ = new PaintBox("PaintBox1", panel2);
  paintBox3_ = new PaintBox("PaintBox3", panel5);
  TightColumn(panel2)->addWidget(paintBox1_);
  TightColumn(panel5)->addWidget(paintBox3_);
  splitter2_->addWidget(panel2);
  splitter2_->addWidget(panel5);
  layout->addWidget(splitter2_, 1);

  QWidget* panel14 = AddPanel(nullptr, "Panel14", page);
  panel14->setFixedHeight(19);
  paintBox9_ = new PaintBox("PaintBox9", panel14);
  TightColumn(panel14)->addWidget(paintBox9_);
  layout->addWidget(panel14);

  BuildCommandPanel(page);
  layout->addWidget(page->findChild<QWidget*>("Panel1"));

  SignalChart1 = Chart(paintBox1_);
  SignalChart2 = Chart(paintBox3_);
  RecomputeSteps();

  paintBox1_->OnPaint = [this](QPainter& painter) { PaintPlot(painter, 0); };
  paintBox3_->OnPaint = [this](QPainter& painter) { PaintPlot(painter, 1); };
  paintBox9_->OnPaint = [this](QPainter& painter) { PaintStrip(painter); };
  paintBox1_->OnOverlay = [this](QPainter& painter) { PaintBand(painter, 0); };
  paintBox3_->OnOverlay = [this](QPainter& painter) { PaintBand(painter, 1); };
  paintBox1_->OnResize = [this] {
    SignalChart1.FitToSurface();
    RecomputeSteps();
    UpdateScrollBar();
    paintBox9_->Invalidate();
  };
  paintBox3_->OnResize = [this] { SignalChart2.FitToSurface(); };
  InstallNormalHandlers(0);
  InstallNormalHandlers(1);
}

void SignalView::BuildToolBar(QWidget* page) {
  QHBoxLayout* toolLayout = AddToolBar(nullptr, "ToolBar1", page);
  for (int i = 0; i < 5; ++i) {
    QToolButton* button = AddToolButton(toolLayout, QString("ToolButton%1").arg(i + 1), toolLayout->parentWidget());
    button->setIcon(SignalToolIcon(i + 1));
    const bool mode = i != 3;
    button->setCheckable(mode);
    toolButtons_[i] = button;
    if (mode) {
      const Tool tool = static_cast<Tool>(i + 1);
      connect(button, &QToolButton::clicked, this, [this, tool] { SetTool(tool); });
    } else {
      connect(button, &QToolButton::clicked, this, [this] { ShowWhole(); });
    }
  }
  toolLayout->addStretch(1);
  SetTool(Tool::Horizontal);
}

void SignalView::BuildCommandPanel(QWidget* page) {
  QWidget* panel1 = AddPanel(nullptr, "Panel1", page);
  panel1->setFixedHeight(81);
  auto* panelLayout = new QVBoxLayout(panel1);
  panelLayout->setContentsMargins(0, 0, 0, 4);
  scrollBar1_ = new QScrollBar(Qt::Horizontal, panel1);
  scrollBar1_->setObjectName("ScrollBar1");
  scrollBar1_->setRange(0, 0);
  scrollBar1_->setSingleStep(10);
  scrollBar1_->setPageStep(100);
  scrollBar1_->setEnabled(false);
  connect(scrollBar1_, &QScrollBar::valueChanged, this, [this](int position) { ScrollBarChange(position); });
  panelLayout->addWidget(scrollBar1_);

  auto* row = new QHBoxLayout();
  row->setContentsMargins(8, 4, 8, 0);
  const auto addButton = [&](const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), panel1);
    button->setObjectName(name);
    row->addWidget(button);
    return button;
  };
  const auto addField = [&](const char* labelName, const char* caption, const char* editName) {
    auto* label = new QLabel(QString::fromUtf8(caption), panel1);
    label->setObjectName(labelName);
    auto* edit = new QLineEdit("0", panel1);
    edit->setObjectName(editName);
    edit->setMaximumWidth(100);
    row->addWidget(label);
    row->addWidget(edit);
    return edit;
  };
  connect(addButton("Button1", "Open"), &QPushButton::clicked, this, &SignalView::OpenClicked);
  connect(addButton("Button2", "Create signal"), &QPushButton::clicked, this, &SignalView::CreateSignalClicked);
  connect(addButton("Button3", "Crop"), &QPushButton::clicked, this, [this] { CropClick(); });
  connect(addButton("Button5", "Save"), &QPushButton::clicked, this, &SignalView::SaveClicked);
  row->addSpacing(16);
  startEdit_ = addField("Label1", "Start:", "Edit3");
  endEdit_ = addField("Label2", "End:", "Edit4");
  connect(addButton("Button6", "Select"), &QPushButton::clicked, this, [this] { SelectClick(); });
  connect(addButton("Button7", "Select all"), &QPushButton::clicked, this, [this] { SelectAllClick(); });
  row->addStretch(1);
  panelLayout->addLayout(row);
  panelLayout->addStretch(1);
}

bool SignalView::HasSignal() const { return SignalLoaded && SignalLength > 0; }

void SignalView::SetTool(Tool tool) {
  tool_ = tool;
  for (int i = 0; i < 5; ++i) {
    if (i != 3) toolButtons_[i]->setChecked(i + 1 == static_cast<int>(tool));
  }
}

void SignalView::Repaint() {
  paintBox1_->Invalidate();
  paintBox3_->Invalidate();
  paintBox9_->Invalidate();
}

void SignalView::RecomputeSteps() {
  SignalSteps = ChooseTickSteps(SignalChart1.XMax() - SignalChart1.XMin(), SignalChart1.Width(), SampleAxisSteps());
}

void SignalView::SetHorizontalRange(double a, double b) {
  SignalChart1.SetXRange(a, b);
  SignalChart2.SetXRange(a, b);
  RecomputeSteps();
}

void SignalView::FitVerticalRanges(std::int32_t from, std::int32_t to) {
  const auto [low1, high1] = FittedExtremes(Channel1, from, to);
  const auto [low2, high2] = FittedExtremes(Channel2, from, to);
  SignalChart1.SetYRange(low1, high1);
  SignalChart2.SetYRange(low2, high2);
}

void SignalView::ShowSelectionInFields() {
  startEdit_->setText(QString::number(SelectionStart));
  endEdit_->setText(QString::number(SelectionEnd));
}

void SignalView::ShowNewSignal(bool channel1Present, bool channel2Present) {
  SignalLoaded = true;
  const bool both = channel2Present && channel1Present;
  splitter2_->ShowPanes(channel1Present || !channel2Present, channel2Present);
  splitter2_->SetShare(both ? 0.5 : 0.0);
  ShowSelectionInFields();
  ResetSignalView();
  FitSelectionPlots();
}

void SignalView::ResetSignalView() {
  SignalChart1.FitToSurface();
  SignalChart2.FitToSurface();
  SetHorizontalRange(SelectionStart, SelectionEnd);
  FitVerticalRanges(SelectionStart, SelectionEnd);
  UpdateScrollBar();
  Repaint();
}

void SignalView::FitSelectionPlots() {
  const double end = static_cast<double>(SelectionEnd) + ExtrapolationLength;
  realChart_.SetXRange(SelectionStart, end);
  imagChart_.SetXRange(SelectionStart, end);
  const auto [low1, high1] = FittedExtremes(Channel1, SelectionStart, SelectionEnd);
  const auto [low2, high2] = FittedExtremes(Channel2, SelectionStart, SelectionEnd);
  realChart_.SetYRange(low1, high1);
  imagChart_.SetYRange(low2, high2);
  Q_EMIT SelectionPlotsChanged();
}

void SignalView::UpdateScrollBar() {
  const QSignalBlocker blocker(scrollBar1_);
  const double span = SignalChart1.XScale() > 0 ? SignalChart1.Width() / SignalChart1.XScale() : 0.0;
  const int last = TruncToInt(CropEnd - span);
  if (HasSignal() && CropStart < last) {
    scrollBar1_->setRange(0, last - CropStart);
    scrollBar1_->setValue(TruncToInt(SignalChart1.XAt(0) - CropStart));
    scrollBar1_->setEnabled(true);
  } else {
    scrollBar1_->setRange(0, 0);
    scrollBar1_->setEnabled(false);
  }
}

void SignalView::ScrollByWheel(int delta) {
  if (!scrollBar1_->isEnabled()) return;
  scrollBar1_->setValue(std::clamp(scrollBar1_->value() + delta, scrollBar1_->minimum(), scrollBar1_->maximum()));
}

void SignalView::ScrollBarChange(int position) {
  const double span = SignalChart1.XMax() - SignalChart1.XMin();
  const double left = static_cast<double>(CropStart) + position;
  SetHorizontalRange(left, left + span);
  Repaint();
}

void SignalView::ShowWhole() {
  if (!HasSignal()) return;
  SetHorizontalRange(CropStart, CropEnd);
  FitVerticalRanges(CropStart, CropEnd);
  UpdateScrollBar();
  Repaint();
}

void SignalView::SelectClick() {
  Select(ReadInteger(startEdit_->text().toStdString()), ReadInteger(endEdit_->text().toStdString()));
  realChart_.SetXRange(SelectionStart, SelectionEnd);
  imagChart_.SetXRange(SelectionStart, SelectionEnd);
  Q_EMIT SelectionPlotsChanged();
  Repaint();
}

void SignalView::SelectAllClick() {
  SelectAll();
  ShowSelectionInFields();
  realChart_.SetXRange(SelectionStart, SelectionEnd);
  imagChart_.SetXRange(SelectionStart, SelectionEnd);
  Q_EMIT SelectionPlotsChanged();
  Repaint();
}

void SignalView::CropClick() {
  if (!Crop()) return;
  FitSelectionPlots();
  SetHorizontalRange(CropStart, CropEnd);
  FitVerticalRanges(CropStart, CropEnd);
  UpdateScrollBar();
  Repaint();
}

void SignalView::PaintPlot(QPainter& painter, int plot) {
  if (!HasSignal()) return;
  Chart& chart = ChartOf(plot);
  chart.FitToSurface();
  const SignalClass& channel = plot == 0 ? Channel1 : Channel2;
  PaintSignalPlot(painter, chart,
                  SignalPlotData{channel.Values(), static_cast<std::int64_t>(SignalLength), SelectionStart,
                                 SelectionEnd, SignalSteps});
}

void SignalView::PaintStrip(QPainter& painter) {
  if (!HasSignal()) return;
  Scale axis = SignalChart1;
  PaintSampleStrip(painter, axis, paintBox9_->width(), paintBox9_->height(), SignalSteps);
}

void SignalView::PaintBand(QPainter& painter, int plot) {
  if (drag_.plot != plot || !drag_.band) return;
  const PaintBox* box = Plot(plot);
  switch (tool_) {
    case Tool::Box:
      PaintRubberBand(painter, drag_.press, drag_.last, true);
      break;
    case Tool::Horizontal:
      PaintRubberBand(painter, QPoint(drag_.last.x(), 0), QPoint(drag_.last.x(), box->height() - 1), false);
      break;
    case Tool::Vertical:
      PaintRubberBand(painter, QPoint(0, drag_.last.y()), QPoint(box->width() - 1, drag_.last.y()), false);
      break;
    case Tool::Pan:
      break;
  }
}

void SignalView::InstallNormalHandlers(int plot) {
  PaintBox* box = Plot(plot);
  box->OnMouseDown = [this, plot](QMouseEvent& event) { MouseDown(plot, event); };
  box->OnMouseMove = [this, plot](QMouseEvent& event) { MouseMove(plot, event); };
  box->OnMouseUp = [this, plot](QMouseEvent& event) { MouseUp(plot, event); };
}

void SignalView::InstallDragHandlers(int plot) {
  PaintBox* box = Plot(plot);
  box->OnMouseMove = [this, plot](QMouseEvent& event) { DragMove(plot, event); };
  box->OnMouseUp = [this, plot](QMouseEvent& event) { DragUp(plot, event); };
}

double SignalView::Tolerance(const Chart& chart) const {
  return std::fabs(chart.XAt(kMarkerGrabPixels) - chart.XAt(0));
}

QPoint SignalView::LimitToPlot(int plot, QPoint point) const {
  const PaintBox* box = Plot(plot);
  return QPoint(std::clamp(point.x(), 0, std::max(0, box->width() - 1)),
                std::clamp(point.y(), 0, std::max(0, box->height() - 1)));
}

void SignalView::MouseDown(int plot, QMouseEvent& event) {
  if (!HasSignal()) return;
  Chart& chart = ChartOf(plot);
  const double tolerance = Tolerance(chart);
  const double x = chart.XAt(event.position().toPoint().x());
  if (std::fabs(x - SelectionStart) < tolerance) {
    drag_.startMarker = true;
    Plot(plot)->setCursor(Qt::SizeHorCursor);
    SelectionStart = TruncToInt(x);
    startEdit_->setText(QString::number(SelectionStart));
  } else if (std::fabs(x - SelectionEnd) < tolerance) {
    drag_.endMarker = true;
    Plot(plot)->setCursor(Qt::SizeHorCursor);
    SelectionEnd = TruncToInt(x);
    endEdit_->setText(QString::number(SelectionEnd));
  } else if (platform_.IsLeftControlDown() || platform_.IsRightControlDown()) {
    if (platform_.IsLeftControlDown()) SelectionStart = TruncToInt(x);
    if (platform_.IsRightControlDown()) SelectionEnd = TruncToInt(x);
  } else {
    drag_.plot = plot;
    drag_.press = drag_.last = LimitToPlot(plot, event.position().toPoint());
    drag_.band = false;
    InstallDragHandlers(plot);
  }
}

void SignalView::MouseMove(int plot, QMouseEvent& event) {
  if (!HasSignal()) return;
  Chart& chart = ChartOf(plot);
  const int width = Plot(plot)->width();
  int column = event.position().toPoint().x();
  if (drag_.startMarker) {
    column = std::min(column, chart.Column(static_cast<double>(SelectionEnd) - kMarkerGapSamples));
    column = std::clamp(column, 0, width);
    SelectionStart = std::max(CropStart, TruncToInt(chart.XAt(column)));
    startEdit_->setText(QString::number(SelectionStart));
    Repaint();
  } else if (drag_.endMarker) {
    const int right = std::clamp(chart.Column(CropEnd), 0, width);
    column = std::max(column, chart.Column(static_cast<double>(SelectionStart) + kMarkerGapSamples));
    column = std::clamp(column, 0, right);
    SelectionEnd = std::min(CropEnd, TruncToInt(chart.XAt(column) + 0.5));
    endEdit_->setText(QString::number(SelectionEnd));
    Repaint();
  } else {
    const double tolerance = Tolerance(chart);
    const double x = chart.XAt(column);
    const bool nearMarker = std::fabs(x - SelectionStart) < tolerance || std::fabs(x - SelectionEnd) < tolerance;
    const Qt::CursorShape shape = nearMarker ? Qt::SizeHorCursor : Qt::ArrowCursor;
    paintBox1_->setCursor(shape);
    paintBox3_->setCursor(shape);
  }
}

void SignalView::MouseUp(int, QMouseEvent&) {
  if (!HasSignal()) return;
  drag_.startMarker = false;
  drag_.endMarker = false;
  ShowSelectionInFields();
  FitSelectionPlots();
  Repaint();
}

void SignalView::DragMove(int plot, QMouseEvent& event) {
  const QPoint point = LimitToPlot(plot, event.position().toPoint());
  if (tool_ == Tool::Pan) {
    Chart& chart = ChartOf(plot);
    const double dx = chart.XAt(drag_.last.x()) - chart.XAt(point.x());
    const double dy = chart.YAt(drag_.last.y()) - chart.YAt(point.y());
    double left = chart.XMin() + dx;
    double right = chart.XMax() + dx;
    if (left < CropStart) {
      right += CropStart - left;
      left = CropStart;
    }
    if (right > CropEnd) {
      left -= right - CropEnd;
      right = CropEnd;
    }
    chart.SetRanges(left, chart.YMin() + dy, right, chart.YMax() + dy);
    OtherChart(plot).SetXRange(left, right);
    RecomputeSteps();
    drag_.last = point;
    Repaint();
    return;
  }
  if (event.buttons() == Qt::NoButton) return;
  drag_.last = point;
  drag_.band = true;
  Plot(plot)->update();
}

void SignalView::DragUp(int plot, QMouseEvent& event) {
  const QPoint point = LimitToPlot(plot, event.position().toPoint());
  Chart& chart = ChartOf(plot);
  const bool wide = std::abs(point.x() - drag_.press.x()) > kZoomThresholdPixels;
  const bool tall = std::abs(point.y() - drag_.press.y()) > kZoomThresholdPixels;
  const bool horizontal = (tool_ == Tool::Box && wide && tall) || (tool_ == Tool::Horizontal && wide);
  const bool vertical = (tool_ == Tool::Box && wide && tall) || (tool_ == Tool::Vertical && tall);
  if (horizontal) SetHorizontalRange(chart.XAt(drag_.press.x()), chart.XAt(point.x()));
  if (vertical) chart.SetYRange(chart.YAt(drag_.press.y()), chart.YAt(point.y()));
  drag_.plot = -1;
  drag_.band = false;
  InstallNormalHandlers(plot);
  Repaint();
  UpdateScrollBar();
}

}  // namespace vorenta
