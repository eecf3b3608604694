#pragma once

#include <stdexcept>
#include <string>

namespace tarvek {

// The one error of the program's own logic: a number that does not fit, an
// invalid value, a file that cannot be read or written. what() is the
// sentence shown to the user, complete and without a trailing line break.
class RuntimeError : public std::runtime_error {
public:
  explicit RuntimeError(const std::string& sentence) : std::runtime_error(sentence) {}
};

} // namespace tarvek
