#include "gedcom/line_writer.h"

#include "platform/system_hints.h"
#include "text/cp1252.h"
#include "text/utf8.h"

namespace korvane {
namespace {

constexpr std::size_t kFlushAt = 1 << 20;

void AppendUnit(std::string& out, char32_t unit, bool little) {
  const char low = static_cast<char>(unit & 0xFF);
  const char high = static_cast<char>(unit >> 8);
  out += little ? low : high;
  out += little ? high : low;
}

std::string CrLf(FileEncoding encoding) {
  switch (encoding) {
    case FileEncoding::Utf16Le:
      return std::string("\r\0\n\0", 4);
    case FileEncoding::Utf16Be:
      return std::string("\0\r\0\n", 4);
    default:
      return "\r\n";
  }
}

}  // namespace

LineWriter::LineWriter(OutputFile& file, FileEncoding encoding)
    : file_(&file), encoding_(encoding), lineEnd_(CrLf(encoding)) {
  buffer_.reserve(kFlushAt + 4096);
}

LineWriter::LineWriter(FileEncoding encoding, std::size_t expectedBytes)
    : file_(nullptr), encoding_(encoding), lineEnd_(CrLf(encoding)) {
  buffer_.reserve(expectedBytes);
  PreferLargePages(buffer_.data(), buffer_.capacity());
}

LineWriter::~LineWriter() { FlushBuffer(); }

void LineWriter::WriteByteOrderMark() { buffer_ += ByteOrderMark(encoding_); }

void LineWriter::SetLineEnd(std::string_view rawEnd) {
  lineEnd_ = rawEnd.empty() ? CrLf(encoding_) : std::string(rawEnd);
}

void LineWriter::WriteLine(std::string_view utf8, std::string_view rawEnd) {
  StartLine();
  std::size_t end = 0;
  while (end < utf8.size() && utf8[end] != '\r' && utf8[end] != '\n') ++end;
  AppendEncoded(utf8.substr(0, end));
  EndLine(rawEnd);
}

void LineWriter::WriteLineWithRawTail(std::string_view utf8Start, std::string_view rawTail,
                                      std::string_view rawEnd) {
  StartLine();
  AppendEncoded(utf8Start);
  buffer_ += rawTail;
  EndLine(rawEnd);
}

void LineWriter::AppendEncoded(std::string_view utf8) {
  switch (encoding_) {
    case FileEncoding::Utf8:
      buffer_ += utf8;
      break;
    case FileEncoding::Cp1252:
      for (std::size_t pos = 0; pos < utf8.size();) {
        buffer_ += static_cast<char>(UnicodeToCp1252(DecodeUtf8(utf8, pos)).value_or('?'));
      }
      break;
    case FileEncoding::Utf16Le:
    case FileEncoding::Utf16Be:
      for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t ch = DecodeUtf8(utf8, pos);
        const bool little = encoding_ == FileEncoding::Utf16Le;
        if (ch >= 0x10000) {
          AppendUnit(buffer_, 0xD800 + ((ch - 0x10000) >> 10), little);
          AppendUnit(buffer_, 0xDC00 + ((ch - 0x10000) & 0x3FF), little);
        } else {
          AppendUnit(buffer_, ch, little);
        }
      }
      break;
  }
}

void LineWriter::WriteRawLine(std::string_view raw, std::string_view rawEnd) {
  StartLine();
  buffer_ += raw;
  EndLine(rawEnd);
}

void LineWriter::StartLine() {
  if (open_) buffer_ += lineEnd_;  // the line before had none: it was no last line after all
  open_ = false;
}

void LineWriter::EndLine(std::string_view rawEnd) {
  buffer_ += rawEnd;
  open_ = rawEnd.empty();
  if (buffer_.size() >= kFlushAt) FlushBuffer();
}

void LineWriter::FlushBuffer() {
  if (buffer_.empty() || file_ == nullptr) return;
  // After a failure nothing more is written: the file is given up anyway.
  if (error_ == 0) error_ = file_->Write(buffer_.data(), buffer_.size());
  // Large files go to the disk while the rest is still being made.
  if (error_ == 0) file_->StartWriteBack(flushed_, buffer_.size());
  flushed_ += buffer_.size();
  buffer_.clear();
}

bool LineWriter::Finish() {
  FlushBuffer();
  return error_ == 0;
}

}  // namespace korvane
