// Long runs: 10,000 jobs through the monitor and 10,000 lives of the settings
// object. After a warm-up, the process's handle count and private bytes must
// stay within noise; the figures are printed at each thousand.
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "com_ptr.h"
#include "monitor_fault_bed.h"
#include "process_figures.h"
#include "tavrin_h.h"

namespace {

constexpr int kWarmUp = 200;
constexpr int kDefaultRounds = 10000;
constexpr long kHandleNoise = 16;                     // handles
constexpr long long kPrivateNoise = 4 * 1024 * 1024;  // bytes

// 10,000 rounds, or SOAK_ROUNDS for a shorter trial of the soak itself.
int Rounds() {
  wchar_t text[16];
  const DWORD length = GetEnvironmentVariableW(L"SOAK_ROUNDS", text, 16);
  return length > 0 && length < 16 ? std::max(1, _wtoi(text)) : kDefaultRounds;
}

// Runs `round` kWarmUp times, then Rounds() times, and checks the growth.
void Soak(const std::function<void(int)>& round) {
  const int rounds = Rounds();
  for (int i = 0; i < kWarmUp; ++i) round(i);
  const ProcessFigures start = CurrentProcessFigures();
  std::printf("%s\n", Describe("after warm-up", start).c_str());
  ProcessFigures end;
  for (int i = 1; i <= rounds; ++i) {
    round(i);
    if (i % 1000 == 0 || i == rounds) {
      end = CurrentProcessFigures();
      std::printf("%s\n", Describe(("after " + std::to_string(i)).c_str(), end).c_str());
    }
  }
  const long handleGrowth = static_cast<long>(end.handles) - static_cast<long>(start.handles);
  const long long privateGrowth =
      static_cast<long long>(end.privateBytes) - static_cast<long long>(start.privateBytes);
  testing::Test::RecordProperty("handle_growth", std::to_string(handleGrowth));
  testing::Test::RecordProperty("private_bytes_growth", std::to_string(privateGrowth));
  EXPECT_LE(handleGrowth, kHandleNoise);
  EXPECT_LE(privateGrowth, kPrivateNoise);
  EXPECT_GT(start.handles, 0ul);  // the figures were read at all
  EXPECT_GT(start.privateBytes, 0u);
}

using MonitorSoak = MonitorFaultBed;

TEST_F(MonitorSoak, TenThousandJobsLeakNoHandlesNorMemory) {
  const std::string page(4096, 'p');
  int failed = 0, launchFailures = 0, retriedStarts = 0;
  std::string firstFailedLog;
  Soak([&](int) {
    if (!PrintJob({"%!PS\n", page})) ++failed;
    // The log starts afresh with each job: a failed converter start shows only here.
    const std::string log = Log();
    if (log.find("[MakePDF] Status: Error") != std::string::npos) {
      if (launchFailures++ == 0) firstFailedLog = log;
    } else if (log.find("CreateProcessAsUser failed") != std::string::npos) {
      ++retriedStarts;
    }
  });
  std::printf("converter starts that took another attempt: %d\n", retriedStarts);
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(launchFailures, 0) << "the log of the first:\n" << firstFailedLog;
  // Every job handed its spool file to the converter, which left its record.
  const size_t jobs = static_cast<size_t>(kWarmUp + Rounds());
  EXPECT_EQ(WaitForConverterCalls(Folder(L"app"), jobs, 30000).size(), jobs)
      << ListFiles(WorkArea(), L"*_printer.ps").size() << " spool files, "
      << ListFiles(Folder(L"app"), L"*.tmp").size() << " unfinished records";
  EXPECT_EQ(boxes_.Count(), 0u);
}

class SettingsSoak : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    folder_ = FreshScratchFolder(L"settings-soak");
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", folder_.c_str()));
    library_ = LoadLibraryW(WindowsPathOf(TAVRIN_DLL).c_str());
    ASSERT_NE(library_, nullptr);
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(library_, "DllGetClassObject")));
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_EQ(getClassObject(CLSID_PDFPrinterSettings, IID_IClassFactory, factory_.put_void()),
              S_OK);
  }
  void TearDown() override {
    factory_.reset();
    if (library_) FreeLibrary(library_);
    CoUninitialize();
  }

  std::wstring folder_;
  HMODULE library_ = nullptr;
  ComPtr<IClassFactory> factory_;
};

TEST_F(SettingsSoak, TenThousandCreateLoadWriteReleaseCyclesLeakNothing) {
  int failed = 0;
  Soak([&](int round) {
    _PDFPrinterSettings* settings = nullptr;
    if (factory_->CreateInstance(nullptr, IID__PDFPrinterSettings,
                                 reinterpret_cast<void**>(&settings)) != S_OK) {
      ++failed;
      return;
    }
    UniqueBstr name(SysAllocString(L"round"));
    UniqueBstr value(SysAllocString(std::to_wstring(round).c_str()));
    if (settings->LoadSettings(VARIANT_FALSE) != S_OK ||
        settings->SetValue(name.get(), value.get()) != S_OK ||
        settings->WriteSettings(VARIANT_FALSE) != S_OK) {
      ++failed;
    }
    settings->Release();
  });
  EXPECT_EQ(failed, 0);

  // The last cycle's value is what the next object loads.
  _PDFPrinterSettings* settings = nullptr;
  ASSERT_EQ(factory_->CreateInstance(nullptr, IID__PDFPrinterSettings,
                                     reinterpret_cast<void**>(&settings)),
            S_OK);
  ASSERT_EQ(settings->LoadSettings(VARIANT_FALSE), S_OK);
  UniqueBstr name(SysAllocString(L"round"));
  UniqueBstr value;
  ASSERT_EQ(settings->GetValue(name.get(), value.put()), S_OK);
  EXPECT_EQ(std::wstring(value.get()), std::to_wstring(Rounds()));
  settings->Release();
}

}  // namespace
