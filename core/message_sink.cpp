#include "core/message_sink.h"

#include <cstdio>
#include <utility>

namespace vorenta {
namespace {

void WriteToStandardError(const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); }

MessageSink& InstalledSink() {
  static MessageSink sink = WriteToStandardError;
  return sink;
}

}  // namespace

MessageSink SetMessageSink(MessageSink sink) {
  MessageSink previous = std::move(InstalledSink());
  InstalledSink() = sink ? std::move(sink) : MessageSink(WriteToStandardError);
  return previous;
}

void ShowMessage(const std::string& message) { InstalledSink()(message); }

}  // namespace vorenta
