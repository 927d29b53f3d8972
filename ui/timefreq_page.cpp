#include "ui/timefreq_page.h"

#include <QGridLayout>
#include <QProgressBar>

#include "ui/page_builder.h"
#include "ui/paint_box.h"
#include "ui/proportional_splitter.h"

namespace vorenta {

namespace {

void BuildParameterPanel(QBoxLayout* pageLayout, QWidget* page) {
  QWidget* panel8 = AddPanel(pageLayout, "Panel8", page);
  panel8->setFixedHeight(81);
  auto* row = new QHBoxLayout(panel8);
  row->setContentsMargins(8, 4, 8, 4);
  QComboBox* methods = AddList(
      row, "ComboBox1",
      {"Fourier", "Wigner-Ville", "Symplex", "Prony Modified ", "AR Burg", "AR Covar", "MUSIC", "WV_MUSIC", "WVS"},
      panel8);
  methods->setToolTip(QString::fromUtf8("Метод оценки спектра в окне"));
  AddLabel(row, "Label3_5", "Moving Window size:", panel8);
  AddEdit(row, "Edit5", "100", panel8);
  AddLabel(row, "Label13", "Step:", panel8)->hide();
  AddSpinEdit(row, "Edit6", 1, 1, 1000, panel8)->hide();
  AddLabel(row, "Label24", "Number of exponents:", panel8)->hide();
  AddSpinEdit(row, "Edit9", 2, 1, 100, panel8)->setEnabled(false);
  AddLabel(row, "Label25", "FFT size: ", panel8);
  AddSpinEdit(row, "Edit10", 1, 1, 100, panel8)->hide();
  AddEdit(row, "Edit15", "2000", panel8);
  AddSpinEdit(row, "Edit16", 1, 0, 100, panel8)->hide();
  AddButton(row, "Button8", "Run", panel8);
  QPushButton* stop = AddButton(row, "Button9", "Stop", panel8);
  stop->hide();
  stop->setEnabled(false);
  AddLabel(row, "Label3_14", "Fs=", panel8);
  AddEdit(row, "Edit3_13", "1", panel8);
  row->addStretch(1);
}

QWidget* AddStripPanel(QWidget* parent, const char* panelName) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(panelName);
  panel->setMinimumHeight(10);
  return panel;
}

}  // namespace

TimeFrequencyPage BuildTimeFrequencyPage(QWidget* page) {
  TimeFrequencyPage controls;
  QVBoxLayout* pageLayout = TightColumn(page);

  QHBoxLayout* tools = AddToolBar(pageLayout, "ToolBar3", page);
  AddToolButtons(tools, "ToolButton3_", 6, tools->parentWidget());
  tools->addStretch(1);

  controls.Splitter4 = new ProportionalSplitter("Splitter4", 0.9, page);
  QWidget* panel9 = AddStripPanel(controls.Splitter4, "Panel9");
  auto* imageGrid = new QGridLayout(panel9);
  imageGrid->setContentsMargins(0, 0, 0, 0);
  imageGrid->setSpacing(0);
  auto* frequencyScale = new PaintBox("PaintBox7", panel9);
  frequencyScale->setFixedWidth(60);
  controls.PaintBox5 = new PaintBox("PaintBox5", panel9);
  auto* timeScale = new PaintBox("PaintBox10", panel9);
  timeScale->setFixedHeight(19);
  imageGrid->addWidget(frequencyScale, 0, 0);
  imageGrid->addWidget(controls.PaintBox5, 0, 1);
  imageGrid->addWidget(timeScale, 1, 1);

  controls.Splitter7 = new ProportionalSplitter("Splitter7", 0.5, controls.Splitter4);
  QWidget* panel3_12 = AddStripPanel(controls.Splitter7, "Panel3_12");
  QVBoxLayout* upperStrip = TightColumn(panel3_12);
  auto* progress = new QProgressBar(panel3_12);
  progress->setObjectName("ProgressBar1");
  progress->hide();
  upperStrip->addWidget(progress);
  AddLabel(upperStrip, "Label28", "", panel3_12)->hide();
  controls.PaintBox3_8 = new PaintBox("PaintBox3_8", panel3_12);
  upperStrip->addWidget(controls.PaintBox3_8, 1);
  QWidget* panel3_20 = AddStripPanel(controls.Splitter7, "Panel3_20");
  controls.PaintBox3_13 = new PaintBox("PaintBox3_13", panel3_20);
  TightColumn(panel3_20)->addWidget(controls.PaintBox3_13);
  controls.Splitter7->addWidget(panel3_12);
  controls.Splitter7->addWidget(panel3_20);
  controls.Splitter4->addWidget(panel9);
  controls.Splitter4->addWidget(controls.Splitter7);
  pageLayout->addWidget(controls.Splitter4, 1);

  BuildParameterPanel(pageLayout, page);
  return controls;
}

}  // namespace vorenta
