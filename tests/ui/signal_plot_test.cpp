#include <QDir>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <random>
#include <vector>

#include "core/signal_store.h"
#include "tests/ui/fake_platform.h"
#include "ui/create_signal_form.h"
#include "ui/main_window.h"
#include "ui/paint_box.h"
#include "ui/signal_plot.h"

namespace {

vorenta::Scale MakeScale(int width, int height, double x1, double x2, double y1, double y2) {
  vorenta::Scale scale;
  scale.SetWidth(width);
  scale.SetHeight(height);
  scale.SetRanges(x1, y1, x2, y2);
  return scale;
}

QImage BlankImage(const vorenta::Scale& scale) {
  QImage image(scale.Width(), scale.Height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// The reference: one segment per pair of neighbouring samples.
QImage DrawEverySample(const vorenta::Scale& scale, const std::vector<double>& samples, qint64 first, qint64 last) {
  QImage image = BlankImage(scale);
  QPainter painter(&image);
  painter.setPen(QPen(Qt::black, 1));
  vorenta::PixelPoint pen = scale.MoveTarget(static_cast<double>(first), samples[static_cast<std::size_t>(first)]);
  for (qint64 i = first; i <= last; ++i) {
    const vorenta::PixelPoint next = scale.LineTarget(static_cast<double>(i), samples[static_cast<std::size_t>(i)]);
    painter.drawLine(pen.column, pen.row, next.column, next.row);
    pen = next;
  }
  return image;
}

QImage DrawEnvelope(const vorenta::Scale& scale, const std::vector<double>& samples, qint64 first, qint64 last) {
  QImage image = BlankImage(scale);
  QPainter painter(&image);
  painter.setPen(QPen(Qt::black, 1));
  vorenta::PixelPoint pen = scale.MoveTarget(static_cast<double>(first), samples[static_cast<std::size_t>(first)]);
  vorenta::DrawSampleRun(painter, scale, samples, first, last, pen);
  return image;
}

int CountPixels(const QImage& image, QRgb colour, int column) {
  int count = 0;
  for (int row = 0; row < image.height(); ++row) count += image.pixel(column, row) == colour ? 1 : 0;
  return count;
}

}  // namespace

class SignalPlotTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void envelopeCoversExactlyThePixelsOfEverySample_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("xMin");
    QTest::addColumn<double>("xMax");
    QTest::newRow("many samples per column") << 50000 << 0.0 << 49999.0;
    QTest::newRow("about one per column") << 400 << 0.0 << 399.0;
    QTest::newRow("zoomed in, off-range tail") << 2000 << 100.5 << 160.25;
    QTest::newRow("values beyond the plot") << 5000 << 0.0 << 4999.0;
  }
  void envelopeCoversExactlyThePixelsOfEverySample() {
    QFETCH(int, count);
    QFETCH(double, xMin);
    QFETCH(double, xMax);
    const unsigned seed = 20261210u + static_cast<unsigned>(count);
    std::mt19937 generator(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    const bool overshoot = QByteArray(QTest::currentDataTag()).startsWith("values");
    std::vector<double> samples(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < samples.size(); ++i) {
      samples[i] = std::sin(0.013 * static_cast<double>(i)) + 0.3 * noise(generator) + (overshoot ? 40 * noise(generator) : 0);
    }
    const vorenta::Scale scale = MakeScale(397, 121, xMin, xMax, -2, 2);
    const qint64 first = static_cast<qint64>(xMin);
    const qint64 last = std::min<qint64>(count - 1, static_cast<qint64>(xMax) + 1);
    QVERIFY2(DrawEnvelope(scale, samples, first, last) == DrawEverySample(scale, samples, first, last),
             qPrintable(QString("seed %1").arg(seed)));
  }

  void plotShowsTheBackgroundAndABlackSelection() {
    std::vector<double> samples(1000);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = std::cos(0.05 * static_cast<double>(i));
    const vorenta::Scale scale = MakeScale(500, 200, 0, 999, -1.2, 1.2);
    QImage image = BlankImage(scale);
    {
      QPainter painter(&image);
      vorenta::PaintSignalPlot(painter, scale,
                               vorenta::SignalPlotData{samples, 1000, 400, 600,
                                                       vorenta::ChooseTickSteps(999, 500, vorenta::SampleAxisSteps())});
    }
    QCOMPARE(QColor(image.pixel(499, 199)), QColor(230, 230, 230));
    const int inside = scale.Column(500);
    const int outside = scale.Column(100);
    QVERIFY(CountPixels(image, qRgb(0, 0, 0), inside) > 0);
    QCOMPARE(CountPixels(image, qRgb(0, 0, 0), outside), 0);
    QVERIFY(CountPixels(image, qRgb(150, 150, 150), outside) > 0);
    QVERIFY(CountPixels(image, qRgb(100, 100, 100), scale.Column(400)) > 150);  // start marker
  }

  void rubberBandDrawnTwiceRestoresThePicture() {
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(QColor(230, 230, 230));
    const QImage before = image.copy();
    {
      QPainter painter(&image);
      vorenta::PaintRubberBand(painter, QPoint(10, 10), QPoint(90, 60), true);
    }
    QVERIFY(image != before);
    {
      QPainter painter(&image);
      vorenta::PaintRubberBand(painter, QPoint(10, 10), QPoint(90, 60), true);
    }
    QCOMPARE(image, before);
  }

  void mainWindowAfterGeneratingShowsTheSignal() {
    vorenta::ResetSignalStore();
    vorenta::testing::FakePlatform platform;
    vorenta::TForm1 window(platform);
    window.resize(1036, 699);
    window.show();
    platform.modalAnswer = [](QDialog& dialog) {
      auto& form = dynamic_cast<vorenta::TForm2&>(dialog);
      form.OkClick();
      return form.result() == QDialog::Accepted;
    };
    window.CreateSignalCommand();
    QCoreApplication::processEvents();
    const QImage picture = window.grab().toImage();
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath("signal_tab.png");
    QVERIFY(picture.save(path));
    qInfo("window picture saved to %s", qPrintable(path));

    auto* plot = window.findChild<vorenta::PaintBox*>("PaintBox1");
    QVERIFY(plot != nullptr);
    const QImage plotImage = plot->Render();
    QCOMPARE(QColor(plotImage.pixel(plotImage.width() - 2, plotImage.height() - 2)), QColor(230, 230, 230));
    int blackColumns = 0;
    for (int column = 5; column < plotImage.width() - 5; ++column) {
      blackColumns += CountPixels(plotImage, qRgb(0, 0, 0), column) > 0 ? 1 : 0;
    }
    QVERIFY2(blackColumns > plotImage.width() * 9 / 10, qPrintable(QString::number(blackColumns)));
    // The grabbed window shows the same plot where PaintBox1 sits.
    const QPoint origin = plot->mapTo(&window, QPoint(0, 0));
    QCOMPARE(picture.copy(QRect(origin, plot->size())).convertToFormat(QImage::Format_RGB32),
             plotImage.convertToFormat(QImage::Format_RGB32));
  }
};

QTEST_MAIN(SignalPlotTest)
#include "signal_plot_test.moc"
