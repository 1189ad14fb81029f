// What gui.exe tells the user while and after a job runs: the notice of a
// file saved without asking, handed to the session's notifier (the test
// plays the notifier's window, or runs notifier.exe itself), and the progress
// window of a long conversion, with a stand-in for Ghostscript that reports
// its pages slowly.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "converter_command_line.h"
#include "dialog_controls.h"
#include "fake_ghostscript.h"
#include "printer_settings.h"
#include "product_names.h"
#include "registry_override.h"
#include "scratch_folder.h"
#include "unique_resource.h"
#include "unseen_desktop.h"

namespace {

std::wstring ProgramFolder() {
  const std::wstring gui = WindowsPathOf(GUI_EXE);
  return gui.substr(0, gui.rfind(L'\\'));
}

struct StartedProcess {
  UniqueHandle process;
  DWORD id = 0;
};

StartedProcess Start(std::wstring commandLine, const wchar_t* desktop = nullptr) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.lpDesktop = const_cast<wchar_t*>(desktop);
  PROCESS_INFORMATION info{};
  EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &info));
  CloseHandle(info.hThread);
  return {UniqueHandle(info.hProcess), info.dwProcessId};
}

DWORD ExitCodeWithin(const StartedProcess& started, DWORD timeoutMs) {
  DWORD exitCode = 0xFFFF;
  if (WaitForSingleObject(started.process.get(), timeoutMs) != WAIT_OBJECT_0) return 0xFFFF;
  GetExitCodeProcess(started.process.get(), &exitCode);
  return exitCode;
}

bool NotifierRunning() {
  const UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, product_names::kNotifierProgram) == 0) return true;
  }
  return false;
}

// Plays the session's resident notifier: a window of its class that records
// the notices handed to it.
class NoticeCatcher {
 public:
  NoticeCatcher() {
    thread_ = std::thread([this] { Run(); });
    WaitUntil([&] { return ready_.load(); }, 5000);
  }
  ~NoticeCatcher() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  std::vector<std::wstring> Files() const {
    const std::lock_guard lock(mutex_);
    return files_;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
    auto* self = reinterpret_cast<NoticeCatcher*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData != product_names::kNoticeDataKind) return FALSE;
    const std::lock_guard lock(self->mutex_);
    self->files_.emplace_back(static_cast<const wchar_t*>(data->lpData),
                              data->cbData / sizeof(wchar_t));
    return TRUE;
  }
  void Run() {
    threadId_ = GetCurrentThreadId();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = product_names::kNotifierWindowClass;
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(product_names::kNotifierWindowClass, L"", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ready_ = true;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    DestroyWindow(window);
    UnregisterClassW(product_names::kNotifierWindowClass, nullptr);
  }

  std::thread thread_;
  std::atomic<DWORD> threadId_{0};
  std::atomic<bool> ready_{false};
  mutable std::mutex mutex_;
  std::vector<std::wstring> files_;
};

class JobNotice : public testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableW(L"APPDATA", data_.Path().c_str());
    appFolder_.Set(app_.Path());
    logFolder_.Remove();
    ghostscript_.Set(WindowsPathOf(FAKE_GHOSTSCRIPT));
    runs_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                   sizeof(FakeGhostscriptRuns), kFakeGhostscriptRuns));
    view_.reset(MapViewOfFile(runs_.get(), FILE_MAP_WRITE, 0, 0, sizeof(FakeGhostscriptRuns)));
    ASSERT_TRUE(view_);
    ASSERT_TRUE(WaitUntil([] { return !NotifierRunning(); }, 20000)) << "a notifier still runs";
  }

  // Starts gui.exe on a job whose Ghostscript does `pages` pages of `pageMs` each.
  StartedProcess StartJob(const std::wstring& document, int pages, int pageMs,
                          const wchar_t* desktop = nullptr) {
    SetEnvironmentVariableW(L"FAKE_GS_PAGES", std::to_wstring(pages).c_str());
    SetEnvironmentVariableW(L"FAKE_GS_MS", std::to_wstring(pageMs).c_str());
    spool_ = work_ / (std::to_wstring(++jobs_) + L"_printer.ps");
    WriteFileBytes(spool_, "%!PS\nshowpage\n");
    return Start(ConverterCommandLine(ProgramFolder(),
                                      JobParameters(spool_, L"{" + std::to_wstring(jobs_) + L"}",
                                                    document, L"Quillmar Printer")),
                 desktop);
  }

  static void WriteRunOnce(const std::vector<std::pair<std::wstring, std::wstring>>& values) {
    PrinterSettings settings;
    for (const auto& [name, value] : values) settings.SetValue(name, value);
    settings.WriteSettings(true);
  }

  int jobs_ = 0;
  std::wstring spool_;
  ScratchFolder work_, app_, data_, out_;
  MonitorSettingOverride appFolder_{L"AppFolder"}, logFolder_{L"LogFolder"},
      ghostscript_{L"Ghostscript"};
  UniqueHandle runs_;
  UniqueMappedView view_;
};

}  // namespace

// A job saved without asking hands its file to the notifier; none is started
// with notify=no, with openafter=yes (the file opens), for a job that failed,
// or where nobody can see (a window station that is not visible).
TEST_F(JobNotice, OnlyAnAutomaticJobThatSomeoneCanSeeHandsOverItsNotice) {
  const std::wstring unseen = MakeUnseenDesktop(L"QuillmarNoticeUnseen");
  ASSERT_FALSE(unseen.empty());
  const struct {
    std::vector<std::pair<std::wstring, std::wstring>> settings;
    const wchar_t* desktop;
    DWORD exitCode;
    std::wstring notice;  // empty: none
  } cases[] = {
      {{{L"outputfolder", out_.Path()}, {L"filename", L"<title>"}}, nullptr, 0, out_ / L"Memo.pdf"},
      {{{L"output", out_ / L"named.pdf"}}, nullptr, 0, out_ / L"named.pdf"},
      {{{L"output", out_ / L"quiet.pdf"}, {L"notify", L"no"}}, nullptr, 0, L""},
      {{{L"output", out_ / L"open.txt"}, {L"openafter", L"yes"}}, nullptr, 0, L""},
      {{{L"output", out_ / L"failed.pdf"}, {L"format", L"docx"}}, nullptr, 1, L""},
      {{{L"output", out_ / L"unseen.pdf"}}, unseen.c_str(), 0, L""},
  };
  for (const auto& c : cases) {
    const NoticeCatcher catcher;
    WriteRunOnce(c.settings);
    const StartedProcess converter = StartJob(L"Memo", 1, 0, c.desktop);
    // A failure's box, shown in this window station, is answered.
    if (c.exitCode != 0) {
      const HWND box = WaitForDialog(converter.id, 20000);
      ASSERT_TRUE(box);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    EXPECT_EQ(ExitCodeWithin(converter, 30000), c.exitCode) << c.settings[0].second;
    if (c.notice.empty()) {
      Sleep(1500);
      EXPECT_TRUE(catcher.Files().empty()) << c.settings[0].second;
      EXPECT_FALSE(NotifierRunning()) << c.settings[0].second;
    } else {
      EXPECT_TRUE(WaitUntil([&] { return !catcher.Files().empty(); }, 10000));
      EXPECT_EQ(catcher.Files(), std::vector<std::wstring>{c.notice});
    }
  }
}

// The first notifier stays while a notice lives; a second one hands its
// notice over and ends at once; the first ends when the last notice expires.
TEST_F(JobNotice, TheNotifierStaysUntilItsLastNoticeExpires) {
  const std::wstring notifier = ProgramFolder() + L"\\" + product_names::kNotifierProgram;
  const ULONGLONG start = GetTickCount64();
  const StartedProcess resident = Start(L"\"" + notifier + L"\" \"" + (out_ / L"a.pdf") + L"\"");
  ASSERT_TRUE(WaitUntil(
      [] {
        return FindWindowExW(HWND_MESSAGE, nullptr, product_names::kNotifierWindowClass, nullptr) !=
               nullptr;
      },
      10000));
  Sleep(3000);
  const ULONGLONG secondCame = GetTickCount64();
  const StartedProcess second = Start(L"\"" + notifier + L"\" \"" + (out_ / L"b.pdf") + L"\"");
  EXPECT_EQ(ExitCodeWithin(second, 5000), 0u);
  // The first notice has expired by now, the second not yet.
  const ULONGLONG firstExpired = start + 8000 + 1000;
  Sleep(static_cast<DWORD>(firstExpired - std::min(firstExpired, GetTickCount64())));
  EXPECT_EQ(WaitForSingleObject(resident.process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(ExitCodeWithin(resident, 8000), 0u);
  EXPECT_GE(GetTickCount64() - secondCame, 8000u);
  EXPECT_FALSE(NotifierRunning());
}

// A conversion that runs for more than 2 s shows its window with the document
// and the pages done, which closes with the job; a short one shows nothing.
TEST_F(JobNotice, ALongConversionShowsItsProgressAndAShortOneNothing) {
  WriteRunOnce({{L"output", out_ / L"long.pdf"}, {L"notify", L"no"}});
  const ULONGLONG start = GetTickCount64();
  const StartedProcess slow = StartJob(L"Quarterly report", 5, 800);
  const HWND window = WaitForDialog(slow.id, 20000);
  ASSERT_TRUE(window);
  EXPECT_GE(GetTickCount64() - start, 2000u);
  EXPECT_EQ(ControlText(ControlByLabel(window, L"Converting:")), L"Quarterly report");
  const HWND pages = ControlByLabel(window, L"Pages done:");
  EXPECT_TRUE(WaitUntil([&] { return _wtoi(ControlText(pages).c_str()) >= 4; }, 10000));
  EXPECT_EQ(ExitCodeWithin(slow, 20000), 0u);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(PathExists(out_ / L"long.pdf"));

  WriteRunOnce({{L"output", out_ / L"short.pdf"}, {L"notify", L"no"}});
  const StartedProcess quick = StartJob(L"Note", 2, 300);
  bool shown = false;
  while (WaitForSingleObject(quick.process.get(), 20) == WAIT_TIMEOUT)
    shown = shown || WaitForDialog(quick.id, 0) != nullptr;
  EXPECT_FALSE(shown);
  EXPECT_EQ(ExitCodeWithin(quick, 0), 0u);
  EXPECT_TRUE(PathExists(out_ / L"short.pdf"));
}

// "Cancel" stops Ghostscript: no file, partial or whole, the spool file is
// removed and the log says the user cancelled.
TEST_F(JobNotice, CancelStopsTheConversionAndLeavesNothing) {
  WriteRunOnce({{L"output", out_ / L"cancelled.pdf"}});
  const StartedProcess converter = StartJob(L"Long letter", 30, 500);
  const HWND window = WaitForDialog(converter.id, 20000);
  ASSERT_TRUE(window);
  const HWND cancel = ControlByText(window, L"Cancel");
  ASSERT_NE(cancel, nullptr);
  // Ghostscript writes into the user's work area, beside the spool file.
  ASSERT_FALSE(ListFiles(work_.Path(), L"~pdfjob-*.part*").empty())
      << "Ghostscript has begun its file";
  SendMessageW(cancel, BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCodeWithin(converter, 10000), 0u);
  EXPECT_EQ(ListFiles(out_.Path(), L"*"), std::vector<std::wstring>{});
  EXPECT_EQ(ListFiles(work_.Path(), L"~pdfjob-*.part*"), std::vector<std::wstring>{});
  EXPECT_FALSE(PathExists(spool_));
  EXPECT_NE(ReadFileBytes(work_ / L"gui.log").find("cancelled by the user"), std::string::npos);
}
