#include "file_text_encoding.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

std::uint8_t Byte(std::string_view bytes, std::size_t i) {
  return static_cast<std::uint8_t>(bytes[i]);
}

bool IsContinuation(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Eight bytes that are all below 0x80.
bool AllAscii(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return (word & 0x8080808080808080ull) == 0;
}

}  // namespace

FileEncoding DetectEncoding(std::string_view bytes) noexcept {
  if (bytes.starts_with(kUtf8ByteOrderMark)) return FileEncoding::Utf8;
  if (bytes.starts_with(kUtf16LEByteOrderMark)) return FileEncoding::Utf16LE;
  return FileEncoding::Ansi;
}

std::string_view WithoutByteOrderMark(std::string_view bytes, FileEncoding encoding) noexcept {
  switch (encoding) {
    case FileEncoding::Utf8:
      return bytes.substr(kUtf8ByteOrderMark.size());
    case FileEncoding::Utf16LE:
      return bytes.substr(kUtf16LEByteOrderMark.size());
    case FileEncoding::Ansi:
      break;
  }
  return bytes;
}

std::wstring Utf8ToWide(std::string_view bytes) {
  // Never more code units than bytes: the text is written in place, then cut.
  std::wstring text(bytes.size(), L'\0');
  text.resize(Utf8ToWide(bytes, text.data()));
  return text;
}

std::size_t Utf8ToWide(std::string_view bytes, wchar_t* const start) {
  wchar_t* out = start;
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  while (i < n) {
    if (i + 8 <= n && AllAscii(bytes.data() + i)) {
      for (std::size_t k = 0; k < 8; ++k) *out++ = static_cast<wchar_t>(Byte(bytes, i + k));
      i += 8;
      continue;
    }
    const std::uint8_t lead = Byte(bytes, i);
    if (lead < 0x80) {
      *out++ = lead;
      ++i;
      continue;
    }
    // The sequence's length and the smallest code point it may carry.
    std::size_t length = 0;
    std::uint32_t point = 0, minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, point = lead & 0x1Fu, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, point = lead & 0x0Fu, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, point = lead & 0x07u, minimum = 0x10000;
    }
    std::size_t k = 1;
    while (length && k < length && i + k < n && IsContinuation(Byte(bytes, i + k))) {
      point = (point << 6) | (Byte(bytes, i + k) & 0x3Fu);
      ++k;
    }
    if (!length || k < length || point < minimum || point > 0x10FFFF) {
      *out++ = kReplacement;
      i += length ? k : 1;
      continue;
    }
    if (point >= 0x10000) {
      point -= 0x10000;
      *out++ = static_cast<wchar_t>(0xD800 + (point >> 10));
      *out++ = static_cast<wchar_t>(0xDC00 + (point & 0x3FF));
    } else {
      *out++ = static_cast<wchar_t>(point);
    }
    i += length;
  }
  return static_cast<std::size_t>(out - start);
}

std::size_t WholeLinesEnd(std::string_view bytes) noexcept {
  if (bytes.size() < 2) return 0;
  const std::size_t cr = bytes.find_last_of('\r', bytes.size() - 2);
  if (cr == std::string_view::npos) return 0;
  return bytes[cr + 1] == '\n' ? cr + 2 : cr + 1;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t point = static_cast<std::uint16_t>(text[i]);
    if (point >= 0xD800 && point <= 0xDBFF && i + 1 < text.size()) {
      const std::uint32_t low = static_cast<std::uint16_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (point < 0x80) {
      bytes.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | (point >> 6)));
      bytes.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
      bytes.push_back(static_cast<char>(0xE0 | (point >> 12)));
      bytes.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xF0 | (point >> 18)));
      bytes.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
  }
  return bytes;
}

std::wstring Utf16LEToWide(std::string_view bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<wchar_t>(Byte(bytes, 2 * i) | (Byte(bytes, 2 * i + 1) << 8));
  }
  return text;
}
