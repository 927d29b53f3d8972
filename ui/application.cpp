#include "ui/application.h"

#include "core/message_sink.h"
#include "ui/error_display.h"
#include "ui/platform.h"

namespace vorenta {

VorentaApplication::VorentaApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("Vorenta");
  setApplicationDisplayName("Vorenta");
}

bool VorentaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    const QString text = ExceptionText(std::current_exception());
    if (platform_ != nullptr) {
      platform_->ShowMessage(activeWindow(), text);
    } else {
      ShowMessage(text.toStdString());
    }
    return true;
  }
}

}  // namespace vorenta
