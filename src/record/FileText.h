#pragma once
// A settings or data file read whole, once, with a limit on its size.
#include <cstddef>
#include <string>
#include <string_view>

namespace kelvo {

struct TFileText {
  bool Exists = false;  // false: no such file (Text empty)
  bool Regular = false; // a regular file, not a pipe, a FIFO or a device
  std::string Text;
};

// Reads the whole of fileName, whatever kind of file it is (a FIFO to its
// end). what names the file in messages, as in "Kan inte l\xe4sa what
// fileName". A file that exists but cannot be read (no permission, a folder,
// a read error) and one of more than maxBytes raise MarcError naming it.
TFileText ReadFileText(const std::string& fileName, std::size_t maxBytes, std::string_view what);

} // namespace kelvo
