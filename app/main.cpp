#include <exception>

#include "ui/application.h"
#include "ui/error_display.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

int main(int argc, char** argv) {
  vorenta::VorentaApplication application(argc, argv);
  vorenta::QtPlatform platform;
  application.SetPlatform(&platform);
  try {
    vorenta::TForm1 mainWindow(platform);
    mainWindow.showMaximized();
    return vorenta::VorentaApplication::exec();
  } catch (...) {
    platform.ShowMessage(nullptr, vorenta::ExceptionText(std::current_exception()));
    return 1;
  }
}
