#pragma once
// TForm1, the main window: the tab control with the "Signal", "Spectrum
// estimation" and "Time-frequency distribution" pages, the charts of every
// plot, the window-level keyboard table, the mouse wheel that scrolls the
// signal, the "Open", "Create signal" and "Save" commands, and the open-file
// dialog shown when the window first gets the focus.

#include <QImage>
#include <QMainWindow>
#include <functional>

#include "core/chart_axes.h"
#include "core/message_sink.h"
#include "ui/chart.h"
#include "ui/spectrum_page.h"
#include "ui/timefreq_page.h"

class QTabWidget;

namespace vorenta {

class Platform;
class SignalView;
class TForm2;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window and everything it owns, in start-up order (numbers
  // are read and written with "." by core/number_format, whatever the
  // locale): the random generator is seeded from the clock and FitTable
  // filled, the charts are made and sized, the tick steps computed; the engine's messages go to
  // message boxes of `platform` while the window lives; then the generator
  // dialog.
  // `platform` must outlive the window.
  explicit TForm1(Platform& platform, QWidget* parent = nullptr);
  ~TForm1() override;

  // "Open": the open-file dialog, then the import with the settings dialog;
  // a refused or cancelled import leaves the signal and the views as they
  // were. Never runs twice at once.
  void OpenCommand();
  // "Create signal": the generator dialog; on OK the signal is synthesised
  // and the views reset.
  void CreateSignalCommand();
  // "Save": the save dialog, then the selection written to the chosen file.
  void SaveCommand();

  QTabWidget* tabs() const { return tabs_; }
  SignalView& Signal() const { return *signalView_; }
  TForm2& Generator() const { return *generator_; }

  Chart RealChart;
  Chart ImagChart;
  Chart SpectrumChart;
  Chart CellMap;
  Chart TfMap;
  Chart StripMap1;
  Chart StripMap2;
  TickSteps SpectrumXSteps;
  TickSteps SpectrumYSteps;
  TickSteps TfFrequencySteps;
  TickSteps TfStripSteps;

  // Pictures for Ctrl+C on the spectrum graph and on the time-frequency
  // tab; nothing is copied while they are unset.
  std::function<QImage()> SpectrumPicture;
  std::function<QImage()> TimeFrequencyPicture;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Views and proportions after a new signal; `samplingFrequency` goes to
  // the "Fs=" field.
  void ShowNewSignal(bool channel1Present, bool channel2Present, double samplingFrequency);
  // The window-level key table; true when the key was used.
  bool HandleKey(const QKeyEvent& key);
  void CopyComponentTable();
  void PlaceSecondToolGroup();
  void RecomputeTickSteps();
  bool BelongsToThisWindow(QObject* watched) const;

  Platform& platform_;
  QTabWidget* tabs_;
  SpectrumPage spectrumPage_;
  TimeFrequencyPage timeFrequencyPage_;
  SignalView* signalView_ = nullptr;
  TForm2* generator_ = nullptr;
  bool opened_ = false;
  bool importRunning_ = false;
  MessageSink previousSink_;
};

}  // namespace vorenta
