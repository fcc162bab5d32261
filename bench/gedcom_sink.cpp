#include "bench/gedcom_sink.h"

#include <charconv>

#include "text/cp1252.h"
#include "text/utf8.h"

namespace korvane::bench {
namespace {

constexpr std::size_t kChunkSize = 1 << 20;

void AppendUnit16(std::string& out, char16_t unit, bool bigEndian) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  if (bigEndian) {
    out += high;
    out += low;
  } else {
    out += low;
    out += high;
  }
}

void EncodeUtf16(std::string_view text, bool bigEndian, std::string& out) {
  out.reserve(out.size() + 2 * text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t ch = DecodeUtf8(text, pos);
    if (ch >= 0x10000) {
      AppendUnit16(out, static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10)), bigEndian);
      AppendUnit16(out, static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF)), bigEndian);
    } else {
      AppendUnit16(out, static_cast<char16_t>(ch), bigEndian);
    }
  }
}

void EncodeCp1252(std::string_view text, std::string& out) {
  out.reserve(out.size() + text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      out += text[pos++];
      continue;
    }
    // The word lists hold only characters of the code page; '?' would mark a list entry
    // that slipped past that rule rather than abort a long benchmark run.
    const auto byte = UnicodeToCp1252(DecodeUtf8(text, pos));
    out += byte ? static_cast<char>(*byte) : '?';
  }
}

}  // namespace

GedcomSink::GedcomSink(std::ostream& out, GeneratedEncoding encoding, bool crlf)
    : out_(out), encoding_(encoding), crlf_(crlf) {
  text_.reserve(kChunkSize + 4096);
  switch (encoding_) {
    case GeneratedEncoding::Utf8:
      encoded_ = "\xEF\xBB\xBF";
      break;
    case GeneratedEncoding::Utf16Le:
      encoded_ = "\xFF\xFE";
      break;
    case GeneratedEncoding::Utf16Be:
      encoded_ = "\xFE\xFF";
      break;
    case GeneratedEncoding::Cp1252:
    case GeneratedEncoding::Utf8NoBom:
      break;
  }
}

void GedcomSink::Line(int level, std::string_view tag, std::string_view value) {
  text_ += static_cast<char>('0' + level);
  text_ += ' ';
  text_ += tag;
  if (!value.empty()) {
    text_ += ' ';
    text_ += value;
  }
  EndLine();
}

void GedcomSink::Pointer(int level, std::string_view tag, char prefix, int number) {
  text_ += static_cast<char>('0' + level);
  text_ += ' ';
  text_ += tag;
  text_ += ' ';
  AppendPointer(prefix, number);
  EndLine();
}

void GedcomSink::Record(char prefix, int number, std::string_view tag, std::string_view value) {
  text_ += "0 ";
  AppendPointer(prefix, number);
  text_ += ' ';
  text_ += tag;
  if (!value.empty()) {
    text_ += ' ';
    text_ += value;
  }
  EndLine();
}

bool GedcomSink::Finish() {
  Flush();
  out_.flush();
  if (!out_) failed_ = true;
  return !failed_;
}

void GedcomSink::AppendPointer(char prefix, int number) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  text_ += '@';
  text_ += prefix;
  text_.append(digits, end);
  text_ += '@';
}

void GedcomSink::EndLine() {
  text_ += crlf_ ? "\r\n" : "\n";
  if (text_.size() >= kChunkSize) Flush();
}

void GedcomSink::Flush() {
  const bool utf8 =
      encoding_ == GeneratedEncoding::Utf8 || encoding_ == GeneratedEncoding::Utf8NoBom;
  if (encoding_ == GeneratedEncoding::Cp1252) {
    EncodeCp1252(text_, encoded_);
  } else if (!utf8) {
    EncodeUtf16(text_, encoding_ == GeneratedEncoding::Utf16Be, encoded_);
  }
  Write(encoded_);
  if (utf8) Write(text_);  // already in the output encoding
  encoded_.clear();
  text_.clear();
}

void GedcomSink::Write(std::string_view bytes) {
  if (failed_ || bytes.empty()) return;
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out_) failed_ = true;
}

}  // namespace korvane::bench
