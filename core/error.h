#pragma once
// The exception every layer above the kernels throws for a failure the user
// must see; what() is the user's message, exactly as the program words it.
// The UI catches it at the event-handler boundary.

#include <stdexcept>
#include <string>

namespace vorenta {

class VorentaError : public std::runtime_error {
 public:
  explicit VorentaError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vorenta
