#pragma once
// Output stream of the converters' side files. Each WriteString reaches the
// file whole or not at all, so a file that fails, or a run that stops, ends on
// the last whole text written (for the converters: a whole record). Every
// failure raises MarcError with a Swedish message naming the file.
#include <string>
#include <string_view>

#include "record/Binfile.h"

namespace kelvo {

class TVoFileOutStream {
public:
  enum class TOpen {
    Truncate, // create the file, emptying an existing one
    Keep,     // create it when missing, else keep its content until Truncate
  };

  // role names the file in messages ("filen", "filen för periodika"):
  // "Kan inte skapa <role> <name>" when the file cannot be opened.
  explicit TVoFileOutStream(const std::string& fileName, std::string_view role = "filen",
                            TOpen open = TOpen::Truncate);
  TVoFileOutStream(const TVoFileOutStream&) = delete;
  TVoFileOutStream& operator=(const TVoFileOutStream&) = delete;

  // Raises "Kan inte skriva till <role> <name>".
  void WriteString(std::string_view text);
  // Empties a file opened with TOpen::Keep; raises like WriteString.
  void Truncate();
  // Closes the file; raises like WriteString when the system could not store
  // the data. The destructor closes quietly.
  void Close();
  const std::string& FileName() const { return file_.FileName(); }
  const std::string& Role() const { return role_; }
  const TBinFile& File() const { return file_; }

private:
  [[noreturn]] void RaiseWriteError() const;

  std::string role_;
  TBinFile file_;
};

} // namespace kelvo
