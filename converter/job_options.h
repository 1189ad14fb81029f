// The settings a job reads, checked and turned into the options of its
// conversion. Settings names are lower case; word values are read without
// regard to case. Each setting is one row of the table in job_options.cpp.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "output_format.h"
#include "output_name.h"
#include "pdf_permissions.h"

enum class ExistingFile { kOverwrite, kNumber, kAppend };

// Name to value of the settings a job found (an unset setting is absent or empty).
using SettingValues = std::map<std::wstring, std::wstring>;

// The names of the settings that a job reads.
const std::vector<std::wstring>& JobSettingNames();

struct DocumentInfo {
  std::wstring title;
  std::wstring author;
  std::wstring subject;
  std::wstring keywords;
};

// What the PDF steps after Ghostscript do (empty: nothing). Only with a PDF format.
struct PdfOptions {
  std::wstring userPassword;   // never shown in a message or a log
  std::wstring ownerPassword;  // never shown in a message or a log
  PdfPermissions permissions;
  std::wstring background;                // full path of a PDF
  std::wstring stamp;                     // full path of a PDF
  std::vector<std::wstring> attachments;  // full paths

  // A password, or permissions other than all (with an empty user password
  // and a random owner password, so that they hold), encrypt the result.
  bool Encrypts() const {
    return !userPassword.empty() || !ownerPassword.empty() || permissions != PdfPermissions{};
  }
};

// Every member is set by ReadJobOptions.
struct JobOptions {
  // The file to write: the one named in the settings or built in the folder
  // they name; empty when the user is to be asked.
  std::wstring output;
  ExistingFile existing = ExistingFile::kOverwrite;
  const OutputFormat* format = &OutputFormats().front();
  int resolution = 0;      // dots per inch of the image formats
  std::wstring quality;    // Ghostscript's PDF preset; empty for its default
  DocumentInfo info;       // with the defaults filled in
  bool openAfter = false;  // open the result with the user's program for it
  bool notify = true;      // a notice names the file of a job saved without asking
  PdfOptions pdf;
};

// A setting whose value cannot be used: names the setting, the value (a
// password's is replaced by kHiddenValue) and what would be allowed.
inline constexpr wchar_t kHiddenValue[] = L"(not shown)";

struct SettingFailure {
  std::wstring name;
  std::wstring value;
  std::wstring allowed;
  std::wstring Text() const;
};

// What the job brings to its settings.
struct JobFacts {
  // What the file-name template's tokens stand for; the document name and the
  // printing user are also the defaults of the title and the author.
  TemplateValues names;
  // A folder with its environment references (%NAME%) expanded.
  std::function<std::wstring(const std::wstring&)> expandReferences;
};

// The options from the settings. Raises SettingFailure for the first setting
// that cannot be used.
JobOptions ReadJobOptions(const SettingValues& settings, const JobFacts& facts);
