#include "ui/error_display.h"

#include <QString>
#include <new>

#include "core/messages.h"
#include "ui/platform.h"

namespace vorenta {

QString ExceptionText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return QString::fromUtf8(kOutOfMemoryMessage);
  } catch (const std::exception& exception) {
    return QString::fromUtf8(exception.what());
  } catch (...) {
    return QStringLiteral("Unknown error");
  }
}

bool RunGuarded(Platform& platform, QWidget* parent, const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (...) {
    platform.ShowMessage(parent, ExceptionText(std::current_exception()));
    return false;
  }
}

}  // namespace vorenta
