#pragma once
// Output stream of a run's files: the output and the side files. Whole
// records are gathered in a block of BlockSize bytes, which goes to the file
// in one system call when it is full, at Flush and at Close. Only whole
// records are written, so a file that fails, or a run that stops, ends on the
// last whole record that reached it. Every failure raises MarcError with a
// Swedish message naming the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "record/Binfile.h"

namespace kelvo {

class TVoFileOutStream {
public:
  static constexpr std::size_t BlockSize = 256 * 1024;

  enum class TOpen {
    Truncate, // create the file, emptying an existing one
    Keep,     // create it when missing, else keep its content until Truncate
  };

  // role names the file in messages ("filen", "filen för periodika"):
  // "Kan inte skapa <role> <name>" when the file cannot be opened.
  explicit TVoFileOutStream(const std::string& fileName, std::string_view role = "filen",
                            TOpen open = TOpen::Truncate);
  // Writes what is gathered, quietly, and closes.
  ~TVoFileOutStream();
  TVoFileOutStream(const TVoFileOutStream&) = delete;
  TVoFileOutStream& operator=(const TVoFileOutStream&) = delete;

  // Where a record is rendered: its text is appended here, then EndRecord.
  std::string& Block() { return block_; }
  // What was appended to Block since the last EndRecord is one whole record;
  // a full block is written. Raises "Kan inte skriva till <role> <name>".
  void EndRecord();
  // Cuts off what was appended to Block since the last EndRecord.
  void DropOpenRecord();
  // Appends text as one whole record (Block, then EndRecord).
  void WriteString(std::string_view text);
  // Writes the whole records gathered; raises like EndRecord. When the file
  // takes only part of them, the records that reached it whole stay, the
  // rest count in LostRecords.
  void Flush();
  // Records ended here that never reached the file.
  std::int64_t LostRecords() const { return lost_; }
  // Empties a file opened with TOpen::Keep; raises like EndRecord.
  void Truncate();
  // Flushes and closes the file (also when the flush fails); raises like
  // EndRecord when the data could not be stored.
  void Close();
  const std::string& FileName() const { return file_.FileName(); }
  const std::string& Role() const { return role_; }
  const TBinFile& File() const { return file_; }

private:
  [[noreturn]] void RaiseWriteError() const;

  std::string role_;
  TBinFile file_;
  std::string block_;
  std::size_t wholeEnd_ = 0;            // block_ up to here holds whole records
  std::vector<std::size_t> recordEnds_; // where each of them ends
  std::int64_t lost_ = 0;
};

} // namespace kelvo
