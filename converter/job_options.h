// The settings a job reads, checked and turned into the options of its
// conversion. Settings names are lower case; word values are read without
// regard to case.
#pragma once

#include <map>
#include <span>
#include <string>

enum class OutputFormat { kPdf, kPdfA, kPng, kJpeg, kTiff };
enum class ExistingFile { kOverwrite, kNumber, kAppend };

// Name to value of the settings a job found (an unset setting is absent or empty).
using SettingValues = std::map<std::wstring, std::wstring>;

// The names of the settings that a job reads.
std::span<const wchar_t* const> JobSettingNames();

struct DocumentInfo {
  std::wstring title;
  std::wstring author;
  std::wstring subject;
  std::wstring keywords;
};

struct JobOptions {
  std::wstring output;            // the file to write; wins over outputFolder
  std::wstring outputFolder;      // as set: environment variables not yet expanded
  std::wstring fileNameTemplate;  // the name in outputFolder, without extension
  ExistingFile existing = ExistingFile::kOverwrite;
  OutputFormat format = OutputFormat::kPdf;
  int resolution = 150;    // dots per inch of the image formats
  std::wstring quality;    // Ghostscript's PDF preset; empty for its default
  DocumentInfo info;       // with the defaults filled in
  bool openAfter = false;  // open the result with the user's program for it
};

// A setting whose value cannot be used: names the setting, the value and what
// would be allowed.
struct SettingFailure {
  std::wstring name;
  std::wstring value;
  std::wstring allowed;
  std::wstring Text() const;
};

// The options from the settings; the document name and the printing user's
// name are the defaults of the title and the author. Raises SettingFailure.
JobOptions ReadJobOptions(const SettingValues& settings, const std::wstring& documentName,
                          const std::wstring& userName);

// Extension of a format's files, with its dot.
const wchar_t* FileExtension(OutputFormat format);
// True for the formats that give one file per page.
bool OneFilePerPage(OutputFormat format);
