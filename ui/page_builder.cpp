#include "ui/page_builder.h"

namespace vorenta {

namespace {

template <class Control>
Control* Named(QBoxLayout* layout, Control* control, const char* name) {
  control->setObjectName(name);
  if (layout != nullptr) layout->addWidget(control);
  return control;
}

}  // namespace

QWidget* AddPanel(QBoxLayout* layout, const char* name, QWidget* parent) {
  return Named(layout, new QWidget(parent), name);
}

QLabel* AddLabel(QBoxLayout* layout, const char* name, const char* caption, QWidget* parent) {
  return Named(layout, new QLabel(QString::fromUtf8(caption), parent), name);
}

QLineEdit* AddEdit(QBoxLayout* layout, const char* name, const char* text, QWidget* parent) {
  auto* edit = Named(layout, new QLineEdit(QString::fromUtf8(text), parent), name);
  edit->setMaximumWidth(90);
  return edit;
}

QSpinBox* AddSpinEdit(QBoxLayout* layout, const char* name, int value, int low, int high, QWidget* parent) {
  auto* spin = Named(layout, new QSpinBox(parent), name);
  spin->setRange(low, high);
  spin->setValue(value);
  spin->setWrapping(false);
  return spin;
}

QPushButton* AddButton(QBoxLayout* layout, const char* name, const char* caption, QWidget* parent) {
  return Named(layout, new QPushButton(QString::fromUtf8(caption), parent), name);
}

QComboBox* AddList(QBoxLayout* layout, const char* name, const QStringList& items, QWidget* parent) {
  auto* list = Named(layout, new QComboBox(parent), name);
  list->addItems(items);
  list->setCurrentIndex(0);
  return list;
}

QRadioButton* AddRadio(QBoxLayout* layout, const char* name, const char* caption, QWidget* parent) {
  return Named(layout, new QRadioButton(QString::fromUtf8(caption), parent), name);
}

QCheckBox* AddCheck(QBoxLayout* layout, const char* name, const char* caption, bool checked, QWidget* parent) {
  auto* box = Named(layout, new QCheckBox(QString::fromUtf8(caption), parent), name);
  box->setChecked(checked);
  return box;
}

QHBoxLayout* AddToolBar(QBoxLayout* layout, const char* name, QWidget* parent) {
  QWidget* toolBar = AddPanel(layout, name, parent);
  toolBar->setFixedHeight(37);
  return TightRow(toolBar);
}

QToolButton* AddToolButton(QBoxLayout* layout, const QString& name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setFixedSize(38, 37);
  button->setIconSize(QSize(31, 31));
  button->setAutoRaise(true);
  layout->addWidget(button);
  return button;
}

void AddToolButtons(QBoxLayout* layout, const QString& prefix, int count, QWidget* parent) {
  for (int i = 1; i <= count; ++i) AddToolButton(layout, prefix + QString::number(i), parent);
}

QVBoxLayout* TightColumn(QWidget* owner) {
  auto* layout = new QVBoxLayout(owner);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

QHBoxLayout* TightRow(QWidget* owner) {
  auto* layout = new QHBoxLayout(owner);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

}  // namespace vorenta
