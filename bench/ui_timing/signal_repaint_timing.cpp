// Repaint time of the "Signal" tab (both plots and the strip) with a
// 10,000,000-sample complex signal shown whole, rendered off screen.
// Run with QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QDialog>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <vector>

#include "core/signal_synthesis.h"
#include "ui/main_window.h"
#include "ui/paint_box.h"
#include "ui/platform.h"
#include "ui/signal_view.h"

namespace {

// Answers every dialog with Cancel, so nothing waits for a user.
class NullPlatform : public vorenta::Platform {
 public:
  void ShowMessage(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  bool RunModal(QDialog&) override { return false; }
  QString ChooseOpenFile(QWidget*, const vorenta::OpenFileRequest&) override { return {}; }
  QString ChooseSaveFile(QWidget*, const vorenta::SaveFileRequest&) override { return {}; }
  void SetClipboardText(const QString&) override {}
  void SetClipboardImage(const QImage&) override {}
  bool IsLeftControlDown() const override { return false; }
  bool IsRightControlDown() const override { return false; }
  bool IsCapsLockOn() const override { return false; }
  void ConfineCursor(const QRect&) override {}
  void ReleaseCursor() override {}
  void BringForward(QWidget*) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  NullPlatform platform;
  vorenta::TForm1 window(platform);
  window.resize(1920, 1080);
  window.show();
  QCoreApplication::processEvents();

  vorenta::GeneratorSettings settings;
  settings.Samples = 10'000'000;
  settings.Noise = 0.1;
  settings.Components = {{1.0, 0.01, 0, 0, 0}, {0.5, 0.2, 0, 0.3, -1e-7}};
  if (!vorenta::SynthesiseSignal(settings)) return 1;
  vorenta::SignalView& view = window.Signal();
  view.ShowNewSignal(true, true);

  const int repeats = 20;
  std::vector<double> milliseconds;
  const std::clock_t cpuStart = std::clock();
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    for (vorenta::PaintBox* box : {view.Plot(0), view.Plot(1), view.Strip()}) {
      box->Invalidate();
      box->Render();
    }
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    milliseconds.push_back(elapsed.count());
  }
  // Processor time as well: on a loaded machine the wall clock includes the
  // time other processes held the processor.
  const double cpuMilliseconds = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC / repeats;
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("plot %dx%d, %d samples: repaint median %.2f ms, min %.2f ms, max %.2f ms, processor %.2f ms\n",
              view.Plot(0)->width(), view.Plot(0)->height(), settings.Samples, milliseconds[repeats / 2],
              milliseconds.front(), milliseconds.back(), cpuMilliseconds);
  return 0;
}
