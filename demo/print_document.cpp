// Prints a text file the way applications do: through GDI on the printer's
// own driver (--gdi), or as a RAW PostScript job straight to the spooler (--raw);
// then, when given a PDF, waits for it through the monitor's WaitForOutput.
//   print_document --gdi "<printer>" "<text file>" "<document name>" ["<pdf>"]
//   print_document --raw "<printer>" "<PostScript file>" "<document name>" ["<pdf>"]
// Exit code 0 when printed (and the PDF appeared), 1 on failure, 2 on misuse.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "product_names.h"
#include "unique_printer.h"

namespace {

std::string ReadAll(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string content;
  char buffer[65536];
  DWORD read = 0;
  while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    content.append(buffer, read);
  }
  return content;
}

std::vector<std::wstring> Lines(const std::string& bytes) {
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  std::vector<std::wstring> lines;
  std::wstringstream stream(text);
  for (std::wstring line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

struct DcTraits {
  using Type = HDC;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type dc) noexcept { DeleteDC(dc); }
};
struct FontTraits {
  using Type = HFONT;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type font) noexcept { DeleteObject(font); }
};

int PrintWithGdi(const std::wstring& printer, const std::wstring& file,
                 const std::wstring& document) {
  UniqueResource<DcTraits> dc(CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr));
  if (!dc) return fwprintf(stderr, L"No device context for %ls\n", printer.c_str()), 1;
  const int dpi = GetDeviceCaps(dc.get(), LOGPIXELSY);
  const int pageHeight = GetDeviceCaps(dc.get(), VERTRES);
  UniqueResource<FontTraits> font(CreateFontW(
      -MulDiv(12, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Times New Roman"));
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = document.c_str();
  if (StartDocW(dc.get(), &info) <= 0) return fwprintf(stderr, L"StartDoc failed\n"), 1;
  SelectObject(dc.get(), font.get());
  const int lineHeight = MulDiv(16, dpi, 72);
  const int margin = dpi;
  int y = pageHeight;  // forces a new page for the first line
  for (const std::wstring& line : Lines(ReadAll(file))) {
    if (y + lineHeight > pageHeight - margin) {
      if (y != pageHeight) EndPage(dc.get());
      StartPage(dc.get());
      SelectObject(dc.get(), font.get());
      y = margin;
    }
    TextOutW(dc.get(), margin, y, line.c_str(), static_cast<int>(line.size()));
    y += lineHeight;
  }
  if (y != pageHeight) EndPage(dc.get());
  return EndDoc(dc.get()) > 0 ? 0 : 1;
}

int PrintRaw(const std::wstring& printer, const std::wstring& file, const std::wstring& document) {
  UniquePrinter handle;
  if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), handle.put(), nullptr)) {
    return fwprintf(stderr, L"Cannot open printer %ls\n", printer.c_str()), 1;
  }
  DOC_INFO_1W info{const_cast<wchar_t*>(document.c_str()), nullptr, const_cast<wchar_t*>(L"RAW")};
  if (!StartDocPrinterW(handle.get(), 1, reinterpret_cast<BYTE*>(&info))) return 1;
  const std::string bytes = ReadAll(file);
  DWORD written = 0;
  const BOOL ok = WritePrinter(handle.get(), const_cast<char*>(bytes.data()),
                               static_cast<DWORD>(bytes.size()), &written);
  EndDocPrinter(handle.get());
  return ok && written == bytes.size() ? 0 : 1;
}

// Waits for `pdf` through the installed monitor and reports how long it took.
int WaitForPdf(const std::wstring& pdf) {
  HMODULE monitor = LoadLibraryW(product_names::kMonitorLibrary);
  if (!monitor)
    return fwprintf(stderr, L"%ls is not installed\n", product_names::kMonitorLibrary), 1;
  using WaitFunction = BOOL(WINAPI*)(LPCSTR, DWORD);
  const auto wait = reinterpret_cast<WaitFunction>(
      reinterpret_cast<void*>(GetProcAddress(monitor, "WaitForOutput")));
  if (!wait) return 1;
  char name[MAX_PATH];
  if (!WideCharToMultiByte(CP_ACP, 0, pdf.c_str(), -1, name, MAX_PATH, nullptr, nullptr)) return 1;
  const ULONGLONG start = GetTickCount64();
  const BOOL found = wait(name, 120000);
  wprintf(L"%ls %llu ms after the print call returned\n", found ? L"PDF ready" : L"No PDF",
          GetTickCount64() - start);
  return found ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5 && argc != 6) {
    fwprintf(stderr,
             L"usage: print_document --gdi|--raw <printer> <file> <document name> [<pdf>]\n");
    return 2;
  }
  const std::wstring mode = argv[1];
  int result = 2;
  if (mode == L"--gdi") result = PrintWithGdi(argv[2], argv[3], argv[4]);
  if (mode == L"--raw") result = PrintRaw(argv[2], argv[3], argv[4]);
  if (result != 0 || argc == 5) return result;
  return WaitForPdf(argv[5]);
}
