#include "dxf/line_reader.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace facetor {
namespace {

using testing::TempDir;
using testing::writeFile;

// What one read attempt left behind.
struct Read {
  bool delivered;
  std::string line;
  std::int32_t lineNo;
  bool atEnd;

  bool operator==(const Read&) const = default;
};

void PrintTo(const Read& read, std::ostream* os) {
  *os << "{" << read.delivered << ", \"" << read.line << "\" (" << read.line.size()
      << " chars), line " << read.lineNo << ", atEnd " << read.atEnd << "}";
}

std::vector<Read> readTimes(LineReader& reader, std::size_t times) {
  std::vector<Read> reads;
  for (std::size_t i = 0; i < times; ++i) {
    bool delivered = reader.readLine();
    reads.push_back({delivered, std::string(reader.line()), reader.lineNo(), reader.atFileEnd()});
  }
  return reads;
}

// Block sizes from one byte up to the default: the small ones make lines span blocks, put a CR
// at the end of one block and its LF at the start of the next, and spread a long line over
// many blocks.
constexpr std::size_t kBlockSizes[] = {1, 2, 7, 16, LineReader::kDefaultBlockSize};
constexpr std::size_t kKept = 255;

TEST(LineReaderTest, ReadsPhysicalLines) {
  const std::string a255(255, 'a');
  const std::string a300 = std::string(255, 'a') + std::string(45, 'b');
  struct Row {
    const char* name;
    std::string text;
    std::vector<Read> reads;
  };
  const Row rows[] = {
      {"LF", "ab\ncd\n", {{true, "ab", 1, false}, {true, "cd", 2, false}, {false, "cd", 3, true}}},
      {"CR LF",
       "ab\r\ncd\r\n",
       {{true, "ab", 1, false}, {true, "cd", 2, false}, {false, "cd", 3, true}}},
      // With blocks of 7 the CR is the last byte of the first block, the LF the first of the
      // next.
      {"CR LF split at a block end",
       "abcdef\r\nx\r\n",
       {{true, "abcdef", 1, false}, {true, "x", 2, false}, {false, "x", 3, true}}},
      {"empty lines are delivered",
       "\n\r\n\n",
       {{true, "", 1, false}, {true, "", 2, false}, {true, "", 3, false}, {false, "", 4, true}}},
      {"last line without line end",
       "ab\ncd",
       {{true, "ab", 1, false}, {true, "cd", 2, true}, {false, "cd", 3, true}}},
      {"last line without line end, CR LF before it",
       "ab\r\ncd",
       {{true, "ab", 1, false}, {true, "cd", 2, true}, {false, "cd", 3, true}}},
      {"empty file", "", {{false, "", 1, true}, {false, "", 2, true}}},
      {"300 characters, LF",
       a300 + "\nnext\n",
       {{true, a255, 1, false}, {true, "next", 2, false}, {false, "next", 3, true}}},
      {"300 characters, CR LF",
       a300 + "\r\nnext\r\n",
       {{true, a255, 1, false}, {true, "next", 2, false}, {false, "next", 3, true}}},
      {"300 characters without line end", a300, {{true, a255, 1, true}, {false, a255, 2, true}}},
      {"255 characters, CR LF",
       a255 + "\r\nz\r\n",
       {{true, a255, 1, false}, {true, "z", 2, false}}},
      {"256 characters, CR LF",
       a255 + "b\r\nz\r\n",
       {{true, a255, 1, false}, {true, "z", 2, false}}},
      {"a file cut between CR and LF",
       "ab\r\ncd\r",
       {{true, "ab", 1, false}, {true, "cd", 2, true}, {false, "cd", 3, true}}},
  };
  TempDir dir;
  for (const Row& row : rows) {
    const std::string path = dir.file("lines.txt");
    writeFile(path, row.text);
    for (std::size_t blockSize : kBlockSizes) {
      SCOPED_TRACE(std::string(row.name) + ", block size " + std::to_string(blockSize));
      LineReader reader(kKept, blockSize);
      ASSERT_TRUE(reader.open(path));
      EXPECT_EQ(readTimes(reader, row.reads.size()), row.reads);
    }
  }
}

TEST(LineReaderTest, FindsTheLineEndAtEveryPosition) {
  // Lines of 0 to 40 characters, LF and CR LF in turn, so that a line end falls on every
  // position of a word-wide search. Bytes close to LF in value or with the high bit set must not
  // pass for it.
  const std::string pattern = "x\x0b\x8a\xff\x09\x8b";
  std::string text;
  std::vector<Read> expected;
  for (std::int32_t length = 0; length <= 40; ++length) {
    std::string line;
    for (std::int32_t i = 0; i < length; ++i) {
      line += pattern[static_cast<std::size_t>(i) % pattern.size()];
    }
    text += line + (length % 2 == 0 ? "\n" : "\r\n");
    expected.push_back({true, line, length + 1, false});
  }
  expected.push_back({false, expected.back().line, 42, true});
  TempDir dir;
  const std::string path = dir.file("lines.txt");
  writeFile(path, text);
  for (std::size_t blockSize : kBlockSizes) {
    SCOPED_TRACE("block size " + std::to_string(blockSize));
    LineReader reader(kKept, blockSize);
    ASSERT_TRUE(reader.open(path));
    EXPECT_EQ(readTimes(reader, expected.size()), expected);
  }
}

TEST(LineReaderTest, RestartReturnsToTheFirstLine) {
  TempDir dir;
  const std::string path = dir.file("lines.txt");
  writeFile(path, "one\r\ntwo\r\n" + std::string(300, 'x') + "\r\nfour");
  for (std::size_t blockSize : kBlockSizes) {
    SCOPED_TRACE("block size " + std::to_string(blockSize));
    LineReader reader(kKept, blockSize);
    ASSERT_TRUE(reader.open(path));
    readTimes(reader, 2);
    reader.restart();
    EXPECT_EQ(reader.lineNo(), 0);
    EXPECT_EQ(reader.line(), "");
    EXPECT_EQ(readTimes(reader, 1), (std::vector<Read>{{true, "one", 1, false}}));

    // Again from the end of the file, which clears the end-of-file indicator.
    readTimes(reader, 5);
    ASSERT_TRUE(reader.atFileEnd());
    reader.restart();
    EXPECT_FALSE(reader.atFileEnd());
    EXPECT_EQ(readTimes(reader, 4), (std::vector<Read>{{true, "one", 1, false},
                                                       {true, "two", 2, false},
                                                       {true, std::string(255, 'x'), 3, false},
                                                       {true, "four", 4, true}}));
  }
}

TEST(LineReaderTest, WholeLinesKeepsLongLines) {
  std::string longLine(100'000, 'w');
  for (std::size_t i = 0; i < longLine.size(); i += 997) longLine[i] = 'q';
  TempDir dir;
  const std::string path = dir.file("long.txt");
  writeFile(path, "a\r\n" + longLine + "\r\nend\r\n");
  for (std::size_t blockSize : {std::size_t{16}, LineReader::kDefaultBlockSize}) {
    SCOPED_TRACE("block size " + std::to_string(blockSize));
    LineReader reader(LineReader::kWholeLines, blockSize);
    ASSERT_TRUE(reader.open(path));
    EXPECT_EQ(readTimes(reader, 4), (std::vector<Read>{{true, "a", 1, false},
                                                       {true, longLine, 2, false},
                                                       {true, "end", 3, false},
                                                       {false, "end", 4, true}}));
  }
}

TEST(LineReaderTest, OpenFailsForAMissingFile) {
  TempDir dir;
  LineReader reader(kKept);
  EXPECT_FALSE(reader.open(dir.file("missing.txt")));
  EXPECT_FALSE(reader.isOpen());
}

}  // namespace
}  // namespace facetor
