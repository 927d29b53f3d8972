#include "ui/main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "core/import_pipeline.h"
#include "core/message_sink.h"
#include "core/number_format.h"
#include "core/random.h"
#include "core/save_formats.h"
#include "core/signal_store.h"
#include "spectrum/fit_table.h"
#include "spectrum/result_model.h"
#include "ui/create_signal_form.h"
#include "ui/error_display.h"
#include "ui/paint_box.h"
#include "ui/platform.h"
#include "ui/proportional_splitter.h"
#include "ui/setup_form.h"
#include "ui/signal_view.h"

namespace vorenta {

namespace {

const char kOpenFilter[] = "Файлы данных (*.txt);;Файлы данных (*.csv);;Все файлы (*.*)";

QWidget* AddPage(QTabWidget* tabs, const char* name, const char* caption) {
  auto* page = new QWidget(tabs);
  page->setObjectName(name);
  tabs->addTab(page, caption);
  return page;
}

}  // namespace

TForm1::TForm1(Platform& platform, QWidget* parent)
    : QMainWindow(parent), RealChart(nullptr), ImagChart(nullptr), SpectrumChart(nullptr), CellMap(nullptr),
      TfMap(nullptr), StripMap1(nullptr), StripMap2(nullptr), platform_(platform), tabs_(new QTabWidget(this)) {
  setObjectName("Form1");
  setWindowTitle("");
  setGeometry(114, 164, 1036, 699);
  setMinimumSize(600, 400);
  tabs_->setObjectName("PageControl1");
  setCentralWidget(tabs_);
  QWidget* signalPage = AddPage(tabs_, "TabSheet1", "Signal");
  spectrumPage_ = BuildSpectrumPage(AddPage(tabs_, "TabSheet2", "Spectrum estimation"));
  timeFrequencyPage_ = BuildTimeFrequencyPage(AddPage(tabs_, "TabSheet3", "Time-frequency distribution"));
  signalView_ = new SignalView(signalPage, platform_, RealChart, ImagChart);
  // The deferred redraw timer of the time-frequency image, off until used.
  auto* timer1 = new QTimer(this);
  timer1->setObjectName("Timer1");
  timer1->setInterval(1);

  SeedRandomFromClock();
  FillFitTable();

  RealChart = Chart(spectrumPage_.PaintBox2);
  ImagChart = Chart(spectrumPage_.PaintBox4);
  SpectrumChart = Chart(spectrumPage_.PaintBox6);
  SpectrumChart.SetRanges(-0.5, -100, 0.5, 0);
  CellMap = Chart(timeFrequencyPage_.PaintBox5);
  TfMap = Chart(timeFrequencyPage_.PaintBox5);
  StripMap1 = Chart(timeFrequencyPage_.PaintBox3_8);
  StripMap2 = Chart(timeFrequencyPage_.PaintBox3_13);
  RecomputeTickSteps();
  spectrumPage_.PaintBox2->OnResize = [this] { RealChart.FitToSurface(); };
  spectrumPage_.PaintBox4->OnResize = [this] { ImagChart.FitToSurface(); };

  connect(signalView_, &SignalView::OpenClicked, this, [this] { OpenCommand(); });
  connect(signalView_, &SignalView::CreateSignalClicked, this, [this] { CreateSignalCommand(); });
  connect(signalView_, &SignalView::SaveClicked, this, [this] { SaveCommand(); });
  connect(signalView_, &SignalView::SelectionPlotsChanged, this, [this] {
    spectrumPage_.PaintBox2->Invalidate();
    spectrumPage_.PaintBox4->Invalidate();
  });
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index == 1) PlaceSecondToolGroup();
  });
  qApp->installEventFilter(this);
  previousSink_ = SetMessageSink([this](const std::string& message) {
    platform_.ShowMessage(QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : this,
                          QString::fromStdString(message));
  });

  generator_ = new TForm2(platform_, this);
}

TForm1::~TForm1() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
  SetMessageSink(std::move(previousSink_));
}

void TForm1::RecomputeTickSteps() {
  SpectrumXSteps =
      ChooseTickSteps(SpectrumChart.XMax() - SpectrumChart.XMin(), SpectrumChart.Width(), ValueAxisSteps());
  SpectrumYSteps =
      ChooseTickSteps(SpectrumChart.YMax() - SpectrumChart.YMin(), SpectrumChart.Height(), ValueAxisSteps());
  TfFrequencySteps = ChooseTickSteps(TfMap.YMax() - TfMap.YMin(), TfMap.Height(), ValueAxisSteps());
  TfStripSteps = ChooseTickSteps(StripMap1.XMax() - StripMap1.XMin(), StripMap1.Width(), SampleAxisSteps());
}

bool TForm1::BelongsToThisWindow(QObject* watched) const {
  auto* widget = qobject_cast<QWidget*>(watched);
  return widget != nullptr && widget->window() == this;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      if (watched == this && !opened_) {
        opened_ = true;
        // Queued, so the activation finishes before the modal dialog opens.
        QTimer::singleShot(0, this, [this] { OpenCommand(); });
      }
      break;
    case QEvent::KeyPress:
      if (BelongsToThisWindow(watched) && HandleKey(static_cast<QKeyEvent&>(*event))) return true;
      break;
    case QEvent::Wheel:
      if (BelongsToThisWindow(watched)) {
        signalView_->ScrollByWheel(static_cast<QWheelEvent&>(*event).angleDelta().y());
        return true;
      }
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TForm1::HandleKey(const QKeyEvent& key) {
  const bool copy = key.modifiers().testFlag(Qt::ControlModifier) &&
                    (key.key() == Qt::Key_C || key.key() == Qt::Key_Insert);
  if (!copy) return false;
  const int tab = tabs_->currentIndex();
  if (tab == 1) {
    const auto* table = findChild<QRadioButton*>("RadioButton4");
    RunGuarded(platform_, this, [&] {
      if (table != nullptr && table->isChecked()) {
        CopyComponentTable();
      } else if (SpectrumPicture) {
        platform_.SetClipboardImage(SpectrumPicture());
      }
    });
    return true;
  }
  if (tab == 2) {
    RunGuarded(platform_, this, [&] {
      if (TimeFrequencyPicture) platform_.SetClipboardImage(TimeFrequencyPicture());
    });
    return true;
  }
  return false;
}

void TForm1::CopyComponentTable() {
  const QTableWidget* grid = spectrumPage_.StringGrid1;
  std::vector<std::string> labels(static_cast<std::size_t>(ComponentCount) + 2);
  for (int row = 0; row < grid->rowCount() && row < static_cast<int>(labels.size()); ++row) {
    if (const QTableWidgetItem* item = grid->item(row, 0)) labels[static_cast<std::size_t>(row)] = item->text().toStdString();
  }
  platform_.SetClipboardText(QString::fromStdString(
      CopyComponentTableText(ComponentTable.Amplitude, ComponentTable.Frequency, ComponentTable.Phase, ComponentCount,
                             labels, TimeBase.TimeStep())));
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  PlaceSecondToolGroup();
  SpectrumChart.FitToSurface();
  RecomputeTickSteps();
  spectrumPage_.PaintBox6->Invalidate();
}

void TForm1::PlaceSecondToolGroup() {
  QWidget* panel6 = spectrumPage_.PaintBox2->parentWidget();
  const int width = panel6->width() - spectrumPage_.Panel11->x() + 6;
  spectrumPage_.Panel11->setFixedWidth(std::max(0, width));
}

void TForm1::OpenCommand() {
  if (importRunning_) return;
  importRunning_ = true;
  RunGuarded(platform_, this, [this] {
    const QString path = platform_.ChooseOpenFile(this, OpenFileRequest{QString::fromUtf8(kOpenFilter), "dat"});
    if (path.isEmpty()) return;
    const ImportResult result = ImportDataFile(path.toStdString(), [this](const ImportSettingsRequest& request) {
      TSetupForm form(this);
      form.Apply(request);
      const bool accepted = platform_.RunModal(form);
      return form.Answer(accepted);
    });
    if (!result.loaded) return;
    setWindowTitle(QString::fromStdString(result.windowCaption));
    ShowNewSignal(result.channel1Present, result.channel2Present, result.samplingFrequency);
  });
  importRunning_ = false;
}

void TForm1::CreateSignalCommand() {
  RunGuarded(platform_, this, [this] {
    if (!platform_.RunModal(*generator_)) return;
    generator_->Synthesise();
    ShowNewSignal(true, generator_->IsComplex(), 1.0);
  });
}

void TForm1::SaveCommand() {
  RunGuarded(platform_, this, [this] {
    const QString path = platform_.ChooseSaveFile(this, SaveFileRequest{"csv"});
    if (path.isEmpty()) return;
    SaveSelection(path.toStdString());
  });
}

void TForm1::ShowNewSignal(bool channel1Present, bool channel2Present, double samplingFrequency) {
  const bool both = channel1Present && channel2Present;
  spectrumPage_.Splitter3->ShowPanes(channel1Present || !channel2Present, channel2Present);
  spectrumPage_.Splitter3->SetShare(both ? 0.5 : 0.0);
  timeFrequencyPage_.Splitter7->ShowPanes(true, both);
  timeFrequencyPage_.Splitter7->SetShare(both ? 0.5 : 0.0);
  if (auto* fs = findChild<QLineEdit*>("Edit3_13")) fs->setText(QString::fromStdString(FormatGeneral(samplingFrequency)));
  signalView_->ShowNewSignal(channel1Present, channel2Present);
}

}  // namespace vorenta
