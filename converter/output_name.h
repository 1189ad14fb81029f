// Names of a job's output: the file-name template, the checks of a path before
// use, " (n)" numbering and the files of single pages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the template's tokens stand for.
struct TemplateValues {
  std::wstring title;    // the document name
  std::wstring printer;  // the printer that printed the job
  std::wstring user;     // the printing user's name
  std::wstring date;     // yyyy-MM-dd
  std::wstring time;     // HHmmss
  std::wstring session;  // the job's session id
};

// The file name (without extension) that `fileNameTemplate` gives: the tokens
// <title>, <printer>, <user>, <date>, <time> and <session> (without regard to
// case) replaced by their values made safe as file names, anything else kept.
// The title loses blanks and dots at either end; an empty one stands as
// "document". So that every document is saved, a name made with tokens gets
// "_" after its device word when it is a device name ("NUL .txt" gives
// "NUL_ .txt", "CON" gives "CON_"), is cut to 200 code units and loses
// trailing blanks and dots. Nothing when the result is not a valid file name
// (see IsValidFileName): a template without tokens is taken only as it stands.
std::optional<std::wstring> ExpandFileNameTemplate(std::wstring_view fileNameTemplate,
                                                   const TemplateValues& values);

// True for a name usable as one file-name component with an extension added:
// not empty, at most 200 code units, no control character and none of
// \ / : * ? " < > |, not ending in a blank or a dot, not a device name
// (shared/device_names.h: CON, "NUL .txt", COM1, LPT\u00B9, ...).
bool IsValidFileName(std::wstring_view name);

// True for a full local path ("C:\...") or UNC path ("\\server\share\..."):
// no relative or device path, nothing Ghostscript reads as a pipe or device
// (a leading "%" or "|"), no wildcard, quote, angle bracket or control
// character, and a valid name after the last backslash.
bool IsUsableOutputPath(std::wstring_view path);
// How the two rules above are told to the user.
inline constexpr wchar_t kUsablePathText[] =
    L"a full local or network path such as C:\\Documents\\report.pdf or "
    L"\\\\server\\share\\report.pdf";

// The path split before the extension of its last component ("" when none).
struct PathParts {
  std::wstring stem;
  std::wstring extension;  // with its dot
};
PathParts SplitExtension(const std::wstring& path);

// The folder part of a path, without the last backslash ("" when none).
std::wstring FolderOf(const std::wstring& path);

// "stem (n)ext": the n-th name of a file whose name is taken (n from 2).
std::wstring NumberedPath(const PathParts& parts, unsigned n);

// The n-th page's file of a format with one file per page: "stem-n.ext".
std::wstring PagePath(const PathParts& parts, unsigned page);
