#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vorenta");
  QApplication::setApplicationDisplayName("Vorenta");
  vorenta::TForm1 mainWindow;
  mainWindow.showMaximized();
  return QApplication::exec();
}
