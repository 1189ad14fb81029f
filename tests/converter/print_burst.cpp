// The burst of `make benchmark`: prints jobs of one document name back to
// back from this one process, as a program printing a batch of invoices does,
// each a RAW PostScript job, then waits until the output folder holds as many
// ".pdf" files (the converter renames each into place whole).
//   print_burst <printer> <PostScript file> <document name> <jobs> <folder>
// Prints the milliseconds from the first print call to the end of the last
// one and to the last PDF in place. Exit code 0 when every PDF came, 1 when
// a print call failed or a PDF is missing after 10 minutes, 2 on misuse.
// With "-" for the folder it waits for no PDF (the printing path alone).
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

#include "scratch_folder.h"
#include "unique_printer.h"

namespace {

bool PrintRaw(HANDLE printer, const wchar_t* document, const std::string& bytes) {
  DOC_INFO_1W info{const_cast<wchar_t*>(document), nullptr, const_cast<wchar_t*>(L"RAW")};
  if (!StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&info))) return false;
  DWORD written = 0;
  const BOOL ok = WritePrinter(printer, const_cast<char*>(bytes.data()),
                               static_cast<DWORD>(bytes.size()), &written);
  return EndDocPrinter(printer) && ok && written == bytes.size();
}

// The finished PDFs: a converter writes "<stem>.<session>.<process>.<n>.part.pdf"
// beside the target and renames it into place, so those are not counted.
int PdfsIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const UniqueFindHandle search(FindFirstFileW((folder + L"\\*.pdf").c_str(), &found));
  int count = 0;
  for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.get(), &found)) {
    const std::wstring name = found.cFileName;
    if (name.ends_with(L".pdf") && !name.ends_with(L".part.pdf")) ++count;
  }
  return count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 6 || _wtoi(argv[4]) < 1) {
    fwprintf(stderr,
             L"usage: print_burst <printer> <PostScript file> <document name> <jobs> "
             L"<folder>\n");
    return 2;
  }
  const std::string bytes = ReadFileBytes(argv[2]);
  const int jobs = _wtoi(argv[4]);
  const std::wstring folder = argv[5];
  const UniqueChangeNotification changes(
      FindFirstChangeNotificationW(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
  const ULONGLONG start = GetTickCount64();
  UniquePrinter printer;
  if (!OpenPrinterW(argv[1], printer.put(), nullptr)) {
    return fwprintf(stderr, L"Cannot open printer %ls\n", argv[1]), 1;
  }
  for (int job = 0; job < jobs; ++job) {
    if (!PrintRaw(printer.get(), argv[3], bytes))
      return fwprintf(stderr, L"job %d failed\n", job), 1;
  }
  const ULONGLONG printed = GetTickCount64();
  if (folder == L"-") {
    wprintf(L"%d jobs: print calls %llu ms\n", jobs, printed - start);
    return 0;
  }
  const ULONGLONG deadline = start + 600000;
  int pdfs = PdfsIn(folder);
  while (pdfs < jobs && GetTickCount64() < deadline) {
    WaitForSingleObject(changes.get(), 100);
    FindNextChangeNotification(changes.get());
    pdfs = PdfsIn(folder);
  }
  wprintf(
      L"%d jobs: print calls %llu ms, last PDF in place %llu ms after the first print call, "
      L"%d PDFs\n",
      jobs, printed - start, GetTickCount64() - start, pdfs);
  return pdfs == jobs ? 0 : 1;
}
