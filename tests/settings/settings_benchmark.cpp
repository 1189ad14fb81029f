// settings_benchmark: how LoadSettings and WriteSettings grow with the size of
// a settings file, how the load compares with the platform's own INI reader
// (GetPrivateProfileSectionW) on the same file in the same run, and how the
// load of the same entries saved as UTF-8 compares with the ANSI file's.
//
// Drives tavrin.dll through its class factory (no registration needed), with
// APPDATA pointing into a scratch folder. Prints one line per size: the median
// of each time over the rounds, and the medians of the ratios taken in each
// round (our load to the platform's, the UTF-8 file's load to the ANSI one's).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "automation_call.h"
#include "com_test_support.h"
#include "median.h"
#include "scratch_folder.h"
#include "tavrin_h.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 7;  // each figure is the median of this many rounds

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The value of setting i: one letter of it is outside ASCII (e-acute), which
// the ANSI code page 1252 holds as one byte and UTF-8 as two.
std::string Value(int i, bool utf8) {
  return std::string("caf") + (utf8 ? "\xC3\xA9" : "\xE9") + " of setting " + std::to_string(i);
}

std::string SettingsFile(int entries, bool utf8) {
  std::string text = utf8 ? "\xEF\xBB\xBF[PDF Printer]\r\n" : "[PDF Printer]\r\n";
  text.reserve(static_cast<std::size_t>(entries) * 32);
  for (int i = 0; i < entries; ++i) {
    text += "  setting" + std::to_string(i) + "=" + Value(i, utf8) + "\r\n";
  }
  return text;
}

ComPtr<IDispatch> CreateFromLibrary(HMODULE library) {
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
  ComPtr<IClassFactory> factory;
  ComPtr<IDispatch> object;
  if (getClassObject &&
      SUCCEEDED(getClassObject(CLSID_PDFPrinterSettings, IID_IClassFactory, factory.put_void()))) {
    factory->CreateInstance(nullptr, IID_IDispatch, object.put_void());
  }
  return object;
}

}  // namespace

int main() {
  Apartment apartment;
  ScratchFolder scratch;
  SetEnvironmentVariableW(L"APPDATA", scratch.Path().c_str());
  const std::wstring folder = scratch / L"Quillmar\\PDF Writer";
  const std::wstring file = folder + L"\\runonce-bench.ini";
  const HMODULE library = LoadLibraryW(TavrinDllPath().c_str());
  ComPtr<IDispatch> settings = library ? CreateFromLibrary(library) : ComPtr<IDispatch>();
  if (!settings ||
      !CallByName(settings.get(), L"SetPrinterInstance", {std::wstring(L"bench")}).Succeeded() ||
      !CallByName(settings.get(), L"RemoveSettings")
           .Succeeded()) {  // resolves and creates the folder
    std::fprintf(stderr, "cannot drive tavrin.dll\n");
    return 1;
  }

  std::printf("%10s %12s %10s %10s %14s %12s %12s %8s %8s\n", "entries", "file bytes", "load ms",
              "write ms", "load ns/entry", "platform ms", "UTF-8 ms", "/plat", "UTF-8/");
  for (const int entries : {10000, 100000, 1000000}) {
    const std::string text = SettingsFile(entries, false);
    const std::string utf8Text = SettingsFile(entries, true);
    const std::wstring last = L"setting" + std::to_wstring(entries - 1);
    const std::wstring lastValue = L"caf\u00E9 of setting " + std::to_wstring(entries - 1);
    std::vector<double> loads, writes, platformLoads, utf8Loads, toPlatform, utf8ToAnsi;
    bool checked = true;
    for (int round = 0; round < kRounds; ++round) {
      // The UTF-8 load, the ANSI load and the platform's load follow each other
      // closely, and each ratio is taken within its round: a machine whose load
      // changes between rounds slows both sides of a ratio alike. Each load
      // reads a file written anew, so the platform reader cannot answer from
      // its cache.
      WriteFileBytes(file, utf8Text);
      auto start = Clock::now();
      checked &= CallByName(settings.get(), L"LoadSettings").Succeeded();
      utf8Loads.push_back(MillisecondsSince(start));
      checked &= CallByName(settings.get(), L"GetValue", {last}).text == lastValue;

      WriteFileBytes(file, text);
      start = Clock::now();
      checked &= CallByName(settings.get(), L"LoadSettings").Succeeded();
      loads.push_back(MillisecondsSince(start));
      checked &= CallByName(settings.get(), L"GetValue", {last}).text == lastValue;

      WriteFileBytes(file, text);
      std::vector<wchar_t> buffer(text.size() + 2);
      start = Clock::now();
      const DWORD copied = GetPrivateProfileSectionW(
          L"PDF Printer", buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
      platformLoads.push_back(MillisecondsSince(start));
      checked &= copied > 0;

      start = Clock::now();
      checked &= CallByName(settings.get(), L"WriteSettings").Succeeded();
      writes.push_back(MillisecondsSince(start));
      checked &= ReadFileBytes(file) == text;

      toPlatform.push_back(loads.back() / platformLoads.back());
      utf8ToAnsi.push_back(utf8Loads.back() / loads.back());
    }
    const double loadMs = Median(loads);
    std::printf("%10d %12zu %10.1f %10.1f %14.1f %12.1f %12.1f %8.2f %8.2f%s\n", entries,
                text.size(), loadMs, Median(writes), loadMs * 1e6 / entries, Median(platformLoads),
                Median(utf8Loads), Median(toPlatform), Median(utf8ToAnsi),
                checked ? "" : "  (check failed)");
  }
  settings.reset();
  FreeLibrary(library);
  return 0;
}
