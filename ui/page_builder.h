#pragma once
// Small helpers that build named controls into a layout, so the tab pages
// read as lists of their controls.

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QToolButton>
#include <QWidget>

namespace vorenta {

QWidget* AddPanel(QBoxLayout* layout, const char* name, QWidget* parent);
QLabel* AddLabel(QBoxLayout* layout, const char* name, const char* caption, QWidget* parent);
QLineEdit* AddEdit(QBoxLayout* layout, const char* name, const char* text, QWidget* parent);
// A number field with up/down arrows limited to low .. high, no wrap.
QSpinBox* AddSpinEdit(QBoxLayout* layout, const char* name, int value, int low, int high, QWidget* parent);
QPushButton* AddButton(QBoxLayout* layout, const char* name, const char* caption, QWidget* parent);
QComboBox* AddList(QBoxLayout* layout, const char* name, const QStringList& items, QWidget* parent);
QRadioButton* AddRadio(QBoxLayout* layout, const char* name, const char* caption, QWidget* parent);
QCheckBox* AddCheck(QBoxLayout* layout, const char* name, const char* caption, bool checked, QWidget* parent);
// A tool-bar panel named `name`, 37 pixels high, added to `layout` (none
// when null); returns its row layout, without margins or spacing, whose
// parentWidget() is the panel.
QHBoxLayout* AddToolBar(QBoxLayout* layout, const char* name, QWidget* parent);
// An icon-only, auto-raised tool button of the tool-bar size.
QToolButton* AddToolButton(QBoxLayout* layout, const QString& name, QWidget* parent);
// A row of `count` such tool buttons named prefix1 .. prefixN.
void AddToolButtons(QBoxLayout* layout, const QString& prefix, int count, QWidget* parent);
// A layout without margins or spacing.
QVBoxLayout* TightColumn(QWidget* owner);
QHBoxLayout* TightRow(QWidget* owner);

}  // namespace vorenta
