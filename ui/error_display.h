#pragma once
// The standard exception display: an error that escapes an event handler is
// shown in a message box titled "Vorenta" with its text, and the program goes
// on. Handlers wrap their bodies in RunGuarded; VorentaApplication catches
// whatever still gets through at the event-loop level.

#include <exception>
#include <functional>

#include <QString>

class QWidget;

namespace vorenta {

class Platform;

// The text shown for an exception: what() of a std::exception (a
// VorentaError carries the user's message exactly), "Недостаточно памяти"
// for std::bad_alloc, a fixed text for anything else.
QString ExceptionText(const std::exception_ptr& error);

// Runs `handler`; an exception it throws is shown through `platform` (parent
// `parent`) and swallowed. Returns false when the handler threw.
bool RunGuarded(Platform& platform, QWidget* parent, const std::function<void()>& handler);

}  // namespace vorenta
