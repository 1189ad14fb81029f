// Ghostscript, in one place: which program runs and how it is found, the
// arguments of one conversion, and paths as the program is to read them.
// ghostscript.cpp holds the pure rules (no platform header: they are also
// built natively for the sanitizer tests), ghostscript_program.cpp the search
// and the run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job_options.h"
#include "output_format.h"
#include "program_runner.h"

// --- Which Ghostscript ---

// The console program of a Ghostscript of the converter's own kind: a 32-bit
// converter runs on 32-bit Windows, where only 32-bit Ghostscript installs.
#ifdef _WIN64
inline constexpr wchar_t kGhostscriptConsoleProgram[] = L"gswin64c.exe";
#else
inline constexpr wchar_t kGhostscriptConsoleProgram[] = L"gswin32c.exe";
#endif

// True when the release name `candidate` (such as "10.02.1") is a later
// release than `current`: dot-separated parts compare as numbers, so "10.02"
// comes after "9.56". A part that is not a number compares as text.
bool IsLaterRelease(std::wstring_view candidate, std::wstring_view current);

struct GhostscriptProgram {
  std::wstring path;
  // The host system's Ghostscript under Wine (see wine_host_bridge.h): it
  // reads host paths.
  bool onHost = false;
};

// Ghostscript, from trusted places only: the machine-wide "Ghostscript"
// setting, then the latest release in Ghostscript's own registry entries, and
// under Wine the host's gs. Never from the PATH, whose folders any user may be
// able to write to.
std::optional<GhostscriptProgram> FindGhostscript();

// `windowsPath` as the program reads it; nothing when it has no such path.
std::optional<std::wstring> PathForGhostscript(const GhostscriptProgram& program,
                                               const std::wstring& windowsPath);

// The longest that one conversion may run.
inline constexpr unsigned long kConversionTimeoutMs = 10 * 60 * 1000;

// Runs the program with `arguments`, waiting at most `timeoutMs` for its end;
// with a `watch`, that sees its output and may cancel it (program_runner.h).
RunResult RunGhostscript(const GhostscriptProgram& program,
                         const std::vector<std::wstring>& arguments, unsigned long timeoutMs,
                         const RunWatch* watch = nullptr);

// --- The arguments of one run ---

// A PDF text string in UTF-16 (big-endian, with byte-order mark), written in
// hexadecimal so that any script and any character survive and no text can
// end the string early.
std::wstring PdfTextString(const std::wstring& text);

// One run of Ghostscript, with every path as the program is to read it.
struct GhostscriptJob {
  std::vector<std::wstring> inputs;  // read in turn (an existing PDF to append to, the PostScript)
  std::wstring outputFile;           // see GhostscriptOutputPath and GhostscriptPagePattern
  const OutputFormat* format = &OutputFormats().front();
  int resolution = 0;    // dots per inch of the image formats
  std::wstring quality;  // the PDF preset, empty for the default
  DocumentInfo info;
  // Files are embedded after Ghostscript: PDF/A becomes part 3, which allows them.
  bool embedsFiles = false;
};

// The arguments (without the program).
std::vector<std::wstring> GhostscriptArguments(const GhostscriptJob& job);

// --- Output names ---

// A path for Ghostscript's OutputFile, where "%" starts a page number format:
// every literal "%" doubled.
std::wstring GhostscriptOutputPath(std::wstring_view path);

// Ghostscript's OutputFile for one file per page, from the path (as the program
// reads it) of the first page's file, "stem-1ext": literal "%" doubled and the
// page number as "%d".
std::wstring GhostscriptPagePattern(std::wstring_view firstPagePath, std::wstring_view extension);
