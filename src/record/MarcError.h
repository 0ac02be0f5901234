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

// An input that holds text but no record of the format it is read in: the
// shell shows it as a warning that suggests the other format.
class TInputFormatError : public MarcError {
public:
  using MarcError::MarcError;
};

// The index error of the record model's lists (an index outside a list is a
// programming error in the caller).
inline MarcError ListIndexError(long long index) {
  return MarcError("Listindex utanf\xf6r gr\xe4nserna (" + std::to_string(index) + ")");
}

} // namespace kelvo
