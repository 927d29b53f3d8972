#pragma once
// The application object: QApplication whose event dispatch shows any error
// that escapes a handler in the standard exception display and goes on.

#include <QApplication>

namespace vorenta {

class Platform;

class VorentaApplication : public QApplication {
  Q_OBJECT

 public:
  // Sets the application title "Vorenta". Errors are shown through
  // `platform`, which must outlive the application's event loop; until
  // SetPlatform is called they go to the engine's message sink.
  VorentaApplication(int& argc, char** argv);

  void SetPlatform(Platform* platform) { platform_ = platform; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  Platform* platform_ = nullptr;
};

}  // namespace vorenta
