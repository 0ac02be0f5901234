#pragma once
// The one exception type of the project. It carries the fixed Swedish messages
// of the record model and the converters, and the I/O failures that name a file.
#include <stdexcept>
#include <string>

namespace kelvo {

class MarcError : public std::runtime_error {
public:
  explicit MarcError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace kelvo
