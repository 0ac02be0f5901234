#include "record/Vblrec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "record/MarcError.h"
#include "support/SharedData.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;

struct Reading {
  std::vector<std::string> records;
  std::vector<int> percents; // Percent after each record
  bool lastFlagOnlyAtEnd = true;
};

// Reads every record; stops at the record flagged as the last one.
Reading ReadAllRecords(TVblRec& reader, std::int64_t chunkSize = TVblRec::ChunkSize) {
  Reading result;
  std::string work;
  for (std::size_t guard = 0; guard < 1'000'000; ++guard) {
    const bool last = reader.ReadRecord(work, chunkSize);
    result.records.emplace_back(reader.Current);
    result.percents.push_back(reader.Percent());
    if (last) return result;
  }
  result.lastFlagOnlyAtEnd = false; // never flagged
  return result;
}

Reading ReadFile(const std::string& file, char sep, std::int64_t chunkSize = TVblRec::ChunkSize) {
  TVblRec reader(sep);
  EXPECT_TRUE(reader.Open(file)) << file;
  return ReadAllRecords(reader, chunkSize);
}

// The records of text cut at every occurrence of sep, as a plain split.
std::vector<std::string> Split(const std::string& text, const std::string& sep) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(sep, from)) != std::string::npos; from = at + sep.size())
    parts.push_back(text.substr(from, at - from));
  parts.push_back(text.substr(from));
  return parts;
}

TEST(VblRecTests, SplitsAtTheSeparator) {
  struct Row {
    std::string content;
    char sep;
    std::vector<std::string> records;
  };
  const Row rows[] = {
      {"a^b^c", '^', {"a", "b", "c"}},
      // A line-format file ending in "^" CR LF: the line end alone comes last.
      {"*245 $aX\r\n^\r\n*245 $aY\r\n^\r\n", '^', {"*245 $aX\r\n", "\r\n*245 $aY\r\n", "\r\n"}},
      // An ISO 2709 file ending with the terminator: an empty last record.
      {"rec1\x1drec2\x1d", '\x1d', {"rec1", "rec2", ""}},
      {"no separator at all", '^', {"no separator at all"}},
      {"^^", '^', {"", "", ""}},
      {"", '^', {""}},
  };
  TempDir dir;
  for (const Row& row : rows) {
    const Reading r = ReadFile(dir.Write("in.mrc", row.content), row.sep);
    EXPECT_EQ(r.records, row.records) << row.content;
    EXPECT_TRUE(r.lastFlagOnlyAtEnd) << row.content;
  }
}

TEST(VblRecTests, SeparatorAsTheFirstByteOfAChunk) {
  TempDir dir;
  const std::string file = dir.Write("in.mrc", "abc^^de");
  TVblRec reader('^');
  ASSERT_TRUE(reader.Open(file));
  std::string work;
  EXPECT_FALSE(reader.ReadRecord(work, 4));
  EXPECT_EQ(reader.Current, "abc");
  EXPECT_EQ(reader.ChunkStart, 4); // the next chunk starts right after the separator
  EXPECT_FALSE(reader.ReadRecord(work, 4));
  EXPECT_EQ(reader.Current, ""); // the text before the chunk's first byte
  EXPECT_TRUE(reader.ReadRecord(work, 4));
  EXPECT_EQ(reader.Current, "de");
  EXPECT_TRUE(reader.AtEndOfFile);
}

TEST(VblRecTests, EveryChunkSizeGivesTheSameRecords) {
  // Records shorter and longer than the chunk, empty ones, and a tail.
  const std::string content = "ab^^cdefghijklmnop^q^rstuvwxyz0123456789^^x";
  TempDir dir;
  const std::string file = dir.Write("in.mrc", content);
  const auto expected = Split(content, "^");
  for (std::int64_t chunk = 1; chunk <= 50; ++chunk) {
    const Reading r = ReadFile(file, '^', chunk);
    EXPECT_EQ(r.records, expected) << "chunk " << chunk;
    EXPECT_TRUE(r.lastFlagOnlyAtEnd) << "chunk " << chunk;
  }
}

TEST(VblRecTests, RecordLongerThanAChunkIsDeliveredWhole) {
  const std::string big(300000, 'L');
  const std::string content = "first^" + big + "^last";
  TempDir dir;
  const Reading r = ReadFile(dir.Write("in.mrc", content), '^');
  ASSERT_EQ(r.records.size(), 3U);
  EXPECT_EQ(r.records[0], "first");
  EXPECT_EQ(r.records[1], big);
  EXPECT_EQ(r.records[2], "last");
}

TEST(VblRecTests, FileLargerThanAChunkWithoutSeparatorIsOneRecord) {
  const std::string content(200000, 'x');
  TempDir dir;
  const Reading r = ReadFile(dir.Write("in.mrc", content), '^');
  ASSERT_EQ(r.records.size(), 1U);
  EXPECT_EQ(r.records[0], content);
}

TEST(VblRecTests, ManySeparatorsInOneChunkAreAllCounted) {
  // 131072 one-byte records fill one chunk: more than a 16-bit count holds.
  const std::string content = std::string(131072, '^') + "end";
  TempDir dir;
  const Reading r = ReadFile(dir.Write("in.mrc", content), '^');
  ASSERT_EQ(r.records.size(), 131073U);
  EXPECT_EQ(r.records[131071], "");
  EXPECT_EQ(r.records.back(), "end");
}

TEST(VblRecTests, PercentAdvancesOncePerChunk) {
  // 300000 bytes of 1024-byte records: each chunk of 131072 bytes ends with
  // a separator; the last 992 bytes have none.
  std::string content;
  while (content.size() + 1024 <= 300000)
    content += std::string(1023, 'r') + "^";
  content.append(300000 - content.size(), 't');
  ASSERT_EQ(content.size(), 300000U);
  TempDir dir;
  const Reading r = ReadFile(dir.Write("in.mrc", content), '^');
  ASSERT_EQ(r.records.size(), 293U);
  for (std::size_t i = 0; i < r.percents.size(); ++i) {
    const int expected = i < 128 ? 0 : i < 256 ? 43 : 87;
    ASSERT_EQ(r.percents[i], expected) << "record " << i;
  }
}

TEST(VblRecTests, SmallInputStaysAtZeroPercent) {
  TempDir dir;
  const Reading r = ReadFile(dir.Write("in.mrc", "a^b^c"), '^');
  EXPECT_EQ(r.percents, (std::vector<int>{0, 0, 0}));
}

TEST(VblRecTests, MultiCharacterSeparator) {
  const std::string sep = "\r\n^\r\n";
  const std::string content = "*001 1\r\n^\r\n*001 22\r\n^\r\n\r\n^\r\n*001 333";
  TempDir dir;
  const std::string file = dir.Write("in.mrc", content);
  const auto expected = Split(content, sep);
  ASSERT_EQ(expected.size(), 4U);
  // Small chunks put separators across chunk boundaries.
  for (std::int64_t chunk : std::vector<std::int64_t>{1, 2, 3, 4, 5, 6, 7, 11, 13, 100, TVblRec::ChunkSize}) {
    TVblRec reader('\x01');
    reader.SetSingleCharMode(false);
    reader.SetSepString(sep);
    ASSERT_TRUE(reader.Open(file));
    const Reading r = ReadAllRecords(reader, chunk);
    EXPECT_EQ(r.records, expected) << "chunk " << chunk;
    EXPECT_TRUE(r.lastFlagOnlyAtEnd) << "chunk " << chunk;
  }
  // A lone "^" is no separator in this mode.
  TVblRec reader('\x01');
  reader.SetSingleCharMode(false);
  reader.SetSepString(sep);
  ASSERT_TRUE(reader.Open(dir.Write("caret.mrc", "a^b")));
  EXPECT_EQ(ReadAllRecords(reader).records, (std::vector<std::string>{"a^b"}));
}

TEST(VblRecTests, EmptySeparatorStringMakesOneRecord) {
  TempDir dir;
  TVblRec reader('\x01');
  reader.SetSingleCharMode(false);
  ASSERT_TRUE(reader.Open(dir.Write("in.mrc", "a^b")));
  EXPECT_EQ(ReadAllRecords(reader, 2).records, (std::vector<std::string>{"a^b"}));
}

TEST(VblRecTests, FileThatCannotBeOpenedEndsTheInputAtOnce) {
  TempDir dir;
  TVblRec reader('^');
  EXPECT_FALSE(reader.Open(dir.File("saknas.mrc")));
  std::string work;
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(reader.ReadRecord(work));
    EXPECT_EQ(reader.Current, "");
  }
  EXPECT_EQ(reader.Percent(), 0);
}

TEST(VblRecTests, ReopeningStartsAfresh) {
  TempDir dir;
  const std::string a = dir.Write("a.mrc", "a1^a2^a3");
  const std::string b = dir.Write("b.mrc", "b1^b2");
  TVblRec reader('^');
  ASSERT_TRUE(reader.Open(a));
  std::string work;
  reader.ReadRecord(work);
  EXPECT_EQ(reader.Current, "a1");
  reader.Close();
  EXPECT_FALSE(reader.AtEndOfFile);
  ASSERT_TRUE(reader.Open(b));
  EXPECT_EQ(ReadAllRecords(reader).records, (std::vector<std::string>{"b1", "b2"}));
}

TEST(VblRecTests, UnreadableFileRaises) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder.mrc"));
  TVblRec reader('^');
  if (!reader.Open(dir.File("folder.mrc"))) GTEST_SKIP() << "a folder cannot be opened here";
  std::string work;
  try {
    reader.ReadRecord(work);
    FAIL() << "no exception";
  } catch (const MarcError& e) {
    EXPECT_EQ(std::string(e.what()), "Kan inte l\xe4sa filen " + dir.File("folder.mrc"));
  }
}

// A pipe that already holds content and whose writing end is closed; it is
// read through its name in /dev/fd, as a FIFO or standard input would be.
class TFilledPipe {
public:
  explicit TFilledPipe(const std::string& content) {
    int fds[2];
    if (pipe(fds) != 0 ||
        write(fds[1], content.data(), content.size()) != static_cast<ssize_t>(content.size()))
      throw std::runtime_error("pipe");
    close(fds[1]);
    read_ = fds[0];
  }
  ~TFilledPipe() { close(read_); }
  std::string Name() const { return "/dev/fd/" + std::to_string(read_); }

private:
  int read_ = -1;
};

TEST(VblRecTests, StreamIsReadToItsEndWhateverTheChunkSize) {
  const std::string content = "ab^^cdefghijklmnop^q^rstuvwxyz0123456789^^x";
  for (std::int64_t chunk : {1, 2, 3, 5, 8, 13, 50, static_cast<int>(TVblRec::ChunkSize)}) {
    const TFilledPipe stream(content);
    TVblRec reader('\x1d');
    ASSERT_TRUE(reader.Open(stream.Name()));
    EXPECT_EQ(reader.FileSize, -1);
    // The start is looked at first and the separator chosen after.
    EXPECT_EQ(reader.Peek(4), "ab^^");
    reader.SepChar = '^';
    const Reading r = ReadAllRecords(reader, chunk);
    EXPECT_EQ(r.records, Split(content, "^")) << "chunk " << chunk;
    EXPECT_TRUE(r.lastFlagOnlyAtEnd);
    EXPECT_TRUE(std::all_of(r.percents.begin(), r.percents.end(), [](int p) { return p == 0; }));
  }
}

TEST(VblRecTests, RecordLongerThanTheLimitIsSkippedToItsSeparator) {
  struct Row {
    std::string content, sep;
    std::vector<std::string> records;
    std::vector<std::int64_t> tooLong, offsets;
  };
  const std::string crlf = "\r\n^\r\n";
  const Row rows[] = {
      {"ab^" + std::string(25, 'x') + "^cd", "^", {"ab", "", "cd"}, {0, 25, 0}, {0, 3, 29}},
      {std::string(25, 'x'), "^", {""}, {25}, {0}},
      {"0123456789^z", "^", {"0123456789", "z"}, {0, 0}, {0, 11}}, // as long as the limit: kept
      {"a" + crlf + std::string(30, 'y') + crlf + "b", crlf, {"a", "", "b"}, {0, 30, 0}, {0, 6, 41}},
  };
  TempDir dir;
  for (const Row& row : rows) {
    const std::string file = dir.Write("in.mrc", row.content);
    for (std::int64_t chunk : {1, 3, 4, 7, 64}) {
      TVblRec reader('^');
      reader.SetSingleCharMode(row.sep.size() == 1);
      reader.SetSepString(row.sep);
      reader.MaxRecordLength = 10;
      ASSERT_TRUE(reader.Open(file));
      std::vector<std::int64_t> tooLong, offsets;
      std::vector<std::string> records;
      std::string work;
      for (bool last = false; !last && records.size() < 10;) {
        last = reader.ReadRecord(work, chunk);
        records.emplace_back(reader.Current);
        tooLong.push_back(reader.TooLongLength);
        offsets.push_back(reader.RecordOffset);
      }
      EXPECT_EQ(records, row.records) << row.content << " chunk " << chunk;
      EXPECT_EQ(tooLong, row.tooLong) << row.content << " chunk " << chunk;
      EXPECT_EQ(offsets, row.offsets) << row.content << " chunk " << chunk;
    }
  }
}

TEST(VblRecTests, InputWithoutSeparatorKeepsMemoryNearTheLimit) {
  TempDir dir;
  TVblRec reader('^');
  reader.MaxRecordLength = 1000;
  ASSERT_TRUE(reader.Open(dir.Write("in.mrc", std::string(1 << 20, 'x'))));
  std::string work;
  EXPECT_TRUE(reader.ReadRecord(work, 100));
  EXPECT_EQ(reader.TooLongLength, 1 << 20);
  EXPECT_LT(reader.Buffer.capacity() + work.capacity(), 8U * (1000 + 100));
}

TEST(VblRecTests, RealIsoFilesSplitAtTheTerminator) {
  const auto files = testing::IsoFiles();
  KELVO_SKIP_WITHOUT_ISO_FILES(files);
  for (const auto& path : files) {
    const std::string file = path.string();
    const Reading r = ReadFile(file, '\x1d');
    EXPECT_EQ(r.records, Split(ReadAll(file), "\x1d")) << file;
    EXPECT_TRUE(r.lastFlagOnlyAtEnd) << file;
  }
}

} // namespace
} // namespace kelvo
