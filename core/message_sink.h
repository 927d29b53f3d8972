#pragma once
// The engine's one outlet for messages meant for the user ("Недостаточно
// памяти", ...). The engine never shows anything itself: the UI installs a
// sink that opens a message box, the command-line tool one that prints, and
// tests one that records.

#include <functional>
#include <string>

namespace vorenta {

using MessageSink = std::function<void(const std::string&)>;

// Installs `sink` and returns the previous one. An empty sink restores the
// default, which writes the message and a newline to standard error.
MessageSink SetMessageSink(MessageSink sink);

// Hands `message` to the installed sink.
void ShowMessage(const std::string& message);

}  // namespace vorenta
