#include "gedcom/file_encoding.h"

#include <cstring>
#include <string>
#include <vector>

#include "gedcom/ged_line.h"
#include "text/utf8.h"

namespace korvane {
namespace {

constexpr std::size_t kHeaderBytes = 64 * 1024;
constexpr std::size_t kScanChunk = 1 << 20;

std::size_t BomLength(std::string_view start, FileEncoding& encoding) {
  if (start.substr(0, 3) == "\xEF\xBB\xBF") {
    encoding = FileEncoding::Utf8;
    return 3;
  }
  if (start.substr(0, 2) == "\xFF\xFE") {
    encoding = FileEncoding::Utf16Le;
    return 2;
  }
  if (start.substr(0, 2) == "\xFE\xFF") {
    encoding = FileEncoding::Utf16Be;
    return 2;
  }
  return 0;
}

// "1 CHAR UTF-8" (also "UTF8", any case) in the header record; a note further on that
// happens to say so does not count.
bool HeaderDeclaresUtf8(std::string_view header) {
  bool first = true;
  while (!header.empty()) {
    const std::size_t end = header.find_first_of("\r\n");
    const GedLineParts parts = ParseGedLine(header.substr(0, end));
    if (parts.level == 0 && !first) return false;
    first = false;
    if (parts.level == 1 && parts.tag == "CHAR") {
      std::string word;
      for (const char ch : parts.value.substr(0, 8)) {
        word += ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
      }
      while (!word.empty() && word.back() == ' ') word.pop_back();
      return word == "UTF-8" || word == "UTF8";
    }
    if (end == std::string_view::npos) break;
    header.remove_prefix(end + 1);
  }
  return false;
}

bool HasHighBytes(std::string_view bytes) {
  for (const char ch : bytes) {
    if (static_cast<unsigned char>(ch) >= 0x80) return true;
  }
  return false;
}

// Validates UTF-8 across chunk borders: a sequence cut by the border is carried over.
class Utf8Scan {
 public:
  void Feed(std::string_view chunk, bool last) {
    carry_.append(chunk);
    std::string_view data = carry_;
    std::size_t keep = 0;
    if (!last) {
      // Hold back an incomplete sequence at the end (at most 3 bytes).
      for (std::size_t back = 1; back <= 3 && back <= data.size(); ++back) {
        const auto byte = static_cast<unsigned char>(data[data.size() - back]);
        if ((byte & 0xC0) != 0x80) {
          if (byte >= 0xC0) keep = back;
          break;
        }
      }
    }
    const std::string_view complete = data.substr(0, data.size() - keep);
    if (valid_ && !IsValidUtf8(complete)) valid_ = false;
    if (!high_ && HasHighBytes(complete)) high_ = true;
    carry_.erase(0, complete.size());
  }
  bool ValidWithHighBytes() const { return valid_ && high_; }
  bool Valid() const { return valid_; }

 private:
  std::string carry_;
  bool valid_ = true;
  bool high_ = false;
};

}  // namespace

DetectedEncoding DetectEncoding(const InputFile& file, std::int64_t* readError) {
  DetectedEncoding result;
  std::vector<char> buffer(kScanChunk);
  std::uint64_t position = 0;
  // Reads up to `size` bytes at `position`, as many as there are.
  auto read = [&](std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
      const std::int64_t part = file.ReadAt(buffer.data() + got, size - got, position + got);
      if (part <= 0) {
        if (part < 0 && readError != nullptr) *readError = part;
        break;
      }
      got += static_cast<std::size_t>(part);
    }
    position += got;
    return got;
  };
  std::size_t got = read(kHeaderBytes);
  const std::string_view head(buffer.data(), got);
  result.bomLength = BomLength(head, result.encoding);
  if (result.bomLength == 0) {
    if (HeaderDeclaresUtf8(head)) {
      result.encoding = FileEncoding::Utf8;
    } else {
      Utf8Scan scan;
      bool last = got < kHeaderBytes;
      scan.Feed(head, last);
      while (!last && scan.Valid()) {
        got = read(kScanChunk);
        last = got < kScanChunk;
        scan.Feed(std::string_view(buffer.data(), got), last);
      }
      if (scan.ValidWithHighBytes()) result.encoding = FileEncoding::Utf8;
    }
  }
  return result;
}

std::string_view ByteOrderMark(FileEncoding encoding) {
  switch (encoding) {
    case FileEncoding::Utf8:
      return "\xEF\xBB\xBF";
    case FileEncoding::Utf16Le:
      return "\xFF\xFE";
    case FileEncoding::Utf16Be:
      return "\xFE\xFF";
    case FileEncoding::Cp1252:
      break;
  }
  return {};
}

}  // namespace korvane
