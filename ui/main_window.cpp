#include "ui/main_window.h"

#include <QTabWidget>
#include <QWidget>

namespace vorenta {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), tabs_(new QTabWidget(this)) {
  setObjectName("Form1");
  setWindowTitle("Vorenta");
  tabs_->setObjectName("PageControl1");
  tabs_->addTab(new QWidget(tabs_), "Signal");
  tabs_->addTab(new QWidget(tabs_), "Spectrum estimation");
  tabs_->addTab(new QWidget(tabs_), "Time-frequency distribution");
  setCentralWidget(tabs_);
}

}  // namespace vorenta
