#pragma once
// The main window: the three working tabs of the program.

#include <QMainWindow>

class QTabWidget;

namespace vorenta {

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);

  QTabWidget* tabs() const { return tabs_; }

 private:
  QTabWidget* tabs_;
};

}  // namespace vorenta
