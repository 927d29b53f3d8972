#include "ui/spectrum_page.h"

#include <QSplitter>
#include <QTableWidget>

#include "ui/page_builder.h"
#include "ui/paint_box.h"
#include "ui/proportional_splitter.h"

namespace vorenta {

namespace {

PaintBox* AddPlotPanel(QWidget* parent, const char* panelName, const char* boxName) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(panelName);
  panel->setMinimumHeight(10);
  auto* box = new PaintBox(boxName, panel);
  TightColumn(panel)->addWidget(box);
  return box;
}

void BuildParameterPanel(QBoxLayout* pageLayout, QWidget* page) {
  QWidget* panel3 = AddPanel(pageLayout, "Panel3", page);
  panel3->setFixedHeight(81);
  auto* row = new QHBoxLayout(panel3);
  row->setContentsMargins(8, 4, 8, 4);
  AddList(row, "ComboBox2",
          {"Periodogram", "Simplex", "Quasi-Newton", "Prony", "PronyModif", "AR Burg", "AR Covarience", "Music", "EV"},
          panel3);
  AddLabel(row, "Label12", "", panel3)->hide();
  AddSpinEdit(row, "Edit1", 2, 1, 1000, panel3)->hide();
  AddLabel(row, "Label30", "", panel3)->hide();
  AddSpinEdit(row, "Edit14", 1, 0, 100, panel3)->hide();
  AddLabel(row, "Label7", "Extrapolation length:", panel3)->setEnabled(false);
  AddEdit(row, "Edit2", "", panel3)->setEnabled(false);
  AddButton(row, "Button4", "Run", panel3);
  AddLabel(row, "Label19", "Relative error=", panel3)->hide();
  AddLabel(row, "Label5", "", panel3)->hide();
  AddLabel(row, "Label14", "calc=", panel3)->hide();
  AddLabel(row, "Label10", "", panel3)->hide();
  QRadioButton* graph = AddRadio(row, "RadioButton3", "Graph", panel3);
  graph->setChecked(true);
  graph->setEnabled(false);
  AddRadio(row, "RadioButton4", "Table", panel3)->setEnabled(false);
  row->addStretch(1);
}

}  // namespace

SpectrumPage BuildSpectrumPage(QWidget* page) {
  SpectrumPage controls;
  QVBoxLayout* pageLayout = TightColumn(page);

  QHBoxLayout* tools = AddToolBar(pageLayout, "ToolBar2", page);
  QWidget* toolBar = tools->parentWidget();
  AddToolButtons(tools, "ToolButton2_", 5, toolBar);
  controls.Panel11 = AddPanel(tools, "Panel11", toolBar);
  AddToolButtons(tools, "ToolButton2__", 5, toolBar);
  tools->addStretch(1);

  controls.Splitter1 = new QSplitter(Qt::Horizontal, page);
  controls.Splitter1->setObjectName("Splitter1");
  controls.Splitter1->setHandleWidth(3);
  controls.Splitter3 = new ProportionalSplitter("Splitter3", 0.5, controls.Splitter1);
  controls.PaintBox2 = AddPlotPanel(controls.Splitter3, "Panel6", "PaintBox2");
  controls.PaintBox4 = AddPlotPanel(controls.Splitter3, "Panel7", "PaintBox4");
  controls.Splitter3->addWidget(controls.PaintBox2->parentWidget());
  controls.Splitter3->addWidget(controls.PaintBox4->parentWidget());
  controls.Splitter1->addWidget(controls.Splitter3);

  auto* panel10 = new QWidget(controls.Splitter1);
  panel10->setObjectName("Panel10");
  QVBoxLayout* spectrumLayout = TightColumn(panel10);
  controls.PaintBox6 = new PaintBox("PaintBox6", panel10);
  spectrumLayout->addWidget(controls.PaintBox6, 1);
  controls.StringGrid1 = new QTableWidget(panel10);
  controls.StringGrid1->setObjectName("StringGrid1");
  controls.StringGrid1->hide();
  spectrumLayout->addWidget(controls.StringGrid1, 1);
  controls.Splitter1->addWidget(panel10);
  pageLayout->addWidget(controls.Splitter1, 1);

  BuildParameterPanel(pageLayout, page);
  return controls;
}

}  // namespace vorenta
