// Settings file encodings: any bytes decode, and every UTF-16 text (lone
// surrogates included) comes back exactly from its UTF-8 form.
#include "file_text_encoding.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::wstring decoded = Utf8ToWide(bytes);
  if (decoded.size() > bytes.size()) Finding("more code units than bytes");
  if (Utf8ToWide(WideToUtf8(decoded)) != decoded) Finding("decoded text does not come back");
  const std::wstring units = DecodeUnits(data, size);
  if (Utf8ToWide(WideToUtf8(units)) != units) Finding("UTF-16 text does not come back");
  Utf16LEToWide(bytes);
  return 0;
}
