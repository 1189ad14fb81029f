#include "job_options.h"

#include <algorithm>
#include <cwctype>
#include <optional>
#include <span>
#include <string_view>

#include "pdf_failure.h"
#include "trailing_backslash.h"

namespace {

// A value that its setting cannot take, with what would be allowed; the walk
// of the table adds the setting's name and value.
struct Unusable {
  std::wstring allowed;
};

// The options while the settings are read, with what some settings leave for
// the checks of others.
struct Reading {
  const JobFacts& facts;
  JobOptions options;
  std::wstring outputFolder;  // as set: environment references not yet expanded
  std::wstring fileNameTemplate;
  std::wstring fileName;  // the template's name for this job, when the folder is used
};

// What an unset (or empty) setting stands for: a fixed text, or one of the job's names.
struct Default {
  Default(std::wstring_view text = {}) : text_(text) {}
  Default(std::wstring TemplateValues::*name) : name_(name) {}
  std::wstring Of(const JobFacts& facts) const {
    return name_ ? facts.names.*name_ : std::wstring(text_);
  }

 private:
  std::wstring_view text_;
  std::wstring TemplateValues::*name_ = nullptr;
};

// One setting. Every `read` runs in the table's order, then every `check`:
// a read sees the settings read before it, a check sees them all.
struct JobSetting {
  const wchar_t* name;
  Default unset;
  // Parses the value (the default when unset) into the options. Raises Unusable.
  void (*read)(const std::wstring& value, Reading& reading);
  // What depends on later settings or the job's names. Raises Unusable.
  void (*check)(Reading& reading) = nullptr;
  // A password: its value is never shown.
  bool secret = false;
};

template <typename Value>
struct Word {
  std::wstring_view word;
  Value value;
};

constexpr Word<ExistingFile> kExisting[] = {{L"overwrite", ExistingFile::kOverwrite},
                                            {L"number", ExistingFile::kNumber},
                                            {L"append", ExistingFile::kAppend}};
// Each word with Ghostscript's name of the preset; its default has none.
constexpr Word<std::wstring_view> kQualities[] = {{L"default", L""},
                                                  {L"screen", L"screen"},
                                                  {L"ebook", L"ebook"},
                                                  {L"printer", L"printer"},
                                                  {L"prepress", L"prepress"}};
constexpr Word<bool> kYesNo[] = {{L"no", false}, {L"yes", true}};

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

// The words of the rows that `keep` keeps, joined by `separator`.
template <typename Rows, typename Keep>
std::wstring Words(const Rows& rows, std::wstring_view separator, Keep keep) {
  std::wstring words;
  for (const auto& row : rows) {
    if (!keep(row)) continue;
    if (!words.empty()) words += separator;
    words += row.word;
  }
  return words;
}

// The row whose word is `value` (compared without case). Raises Unusable
// listing every word.
template <typename Rows>
const auto& RowOf(const std::wstring& value, const Rows& rows) {
  const std::wstring lower = Lower(value);
  for (const auto& row : rows) {
    if (row.word == lower) return row;
  }
  throw Unusable{Words(rows, L", ", [](const auto&) { return true; })};
}

// The name is built in the output folder only without a file named outright.
bool UsesOutputFolder(const Reading& reading) {
  return reading.options.output.empty() && !reading.outputFolder.empty();
}

void ReadOutput(const std::wstring& value, Reading& reading) {
  if (!value.empty() && !IsUsableOutputPath(value)) throw Unusable{kUsablePathText};
  reading.options.output = value;
}

void ReadFileNameTemplate(const std::wstring& value, Reading& reading) {
  reading.fileNameTemplate = value;
}

void CheckFileNameTemplate(Reading& reading) {
  if (!UsesOutputFolder(reading)) return;
  const std::optional<std::wstring> name =
      ExpandFileNameTemplate(reading.fileNameTemplate, reading.facts.names);
  if (!name) {
    throw Unusable{
        L"a template that gives a valid file name, of text and the tokens "
        L"<title>, <printer>, <user>, <date>, <time> and <session>"};
  }
  reading.fileName = *name;
}

void ReadOutputFolder(const std::wstring& value, Reading& reading) { reading.outputFolder = value; }

// The file in the folder, named by the template (checked before).
void CheckOutputFolder(Reading& reading) {
  if (!UsesOutputFolder(reading)) return;
  const std::wstring path =
      StripTrailingBackslashes(reading.facts.expandReferences(reading.outputFolder)) + L"\\" +
      reading.fileName + std::wstring(reading.options.format->extension);
  if (!IsUsableOutputPath(path)) throw Unusable{kUsablePathText};
  reading.options.output = path;
}

void ReadFormat(const std::wstring& value, Reading& reading) {
  reading.options.format = &RowOf(value, OutputFormats());
}

// Appending needs a format that can take more pages (read before).
void ReadExisting(const std::wstring& value, Reading& reading) {
  reading.options.existing = RowOf(value, kExisting).value;
  if (reading.options.existing != ExistingFile::kAppend || reading.options.format->isPdf) return;
  const auto notAppend = [](const Word<ExistingFile>& row) {
    return row.value != ExistingFile::kAppend;
  };
  const auto pdf = [](const OutputFormat& format) { return format.isPdf; };
  throw Unusable{Words(kExisting, L", ", notAppend) + L" (append only with the format " +
                 Words(OutputFormats(), L" or ", pdf) + L")"};
}

void ReadResolution(const std::wstring& value, Reading& reading) {
  const bool digits = value.size() <= 4 && std::all_of(value.begin(), value.end(), [](wchar_t c) {
                        return c >= L'0' && c <= L'9';
                      });
  const int dpi = digits ? std::stoi(value) : 0;
  if (dpi < 36 || dpi > 2400) throw Unusable{L"36 to 2400"};
  reading.options.resolution = dpi;
}

// A setting of one of `words`, into the option `field`.
template <const auto& words, auto field>
void ReadWord(const std::wstring& value, Reading& reading) {
  reading.options.*field = RowOf(value, words).value;
}

// A text of the document information.
template <std::wstring DocumentInfo::*field>
void ReadInfo(const std::wstring& value, Reading& reading) {
  reading.options.info.*field = value;
}

// The PDF steps' settings need a PDF format (read before).
void RefuseWithImageFormat(const Reading& reading) {
  const OutputFormat& format = *reading.options.format;
  if (format.isPdf) return;
  throw Unusable{L"nothing with the format " + std::wstring(format.word) +
                 L": it is a setting of the PDF formats only"};
}

// PDF/A forbids encryption, which a password or permissions bring.
void RefuseWithArchivalFormat(const Reading& reading, const wchar_t* what) {
  if (!reading.options.format->isArchival) return;
  throw Unusable{std::wstring(L"no ") + what + L" with the format " +
                 std::wstring(reading.options.format->word) + L": PDF/A forbids encryption"};
}

template <std::wstring PdfOptions::*field>
void ReadPassword(const std::wstring& value, Reading& reading) {
  if (value.empty()) return;
  RefuseWithImageFormat(reading);
  RefuseWithArchivalFormat(reading, L"password");
  reading.options.pdf.*field = value;
}

void ReadPermissions(const std::wstring& value, Reading& reading) {
  try {
    reading.options.pdf.permissions = ParsePermissions(value);
  } catch (const PdfFailure&) {
    throw Unusable{std::wstring(kPermissionsAllowed)};
  }
  if (reading.options.pdf.permissions == PdfPermissions{}) return;
  RefuseWithImageFormat(reading);
  RefuseWithArchivalFormat(reading, L"permissions");
}

// A full local or UNC path of a file to read.
std::wstring CheckedInputPath(const std::wstring& path) {
  if (!IsUsableOutputPath(path)) throw Unusable{kUsablePathText};
  return path;
}

template <std::wstring PdfOptions::*field>
void ReadPdfFile(const std::wstring& value, Reading& reading) {
  if (value.empty()) return;
  RefuseWithImageFormat(reading);
  reading.options.pdf.*field = CheckedInputPath(value);
}

// Full paths separated by "|"; empty parts are skipped.
void ReadAttachments(const std::wstring& value, Reading& reading) {
  if (value.empty()) return;
  RefuseWithImageFormat(reading);
  std::vector<std::wstring> paths;
  for (std::size_t start = 0; start <= value.size();) {
    const std::size_t bar = std::min(value.find(L'|', start), value.size());
    if (bar > start) paths.push_back(CheckedInputPath(value.substr(start, bar - start)));
    start = bar + 1;
  }
  reading.options.pdf.attachments = std::move(paths);
}

std::span<const JobSetting> Settings() {
  static const JobSetting kSettings[] = {
      {L"output", {}, ReadOutput},
      {L"filename", {L"<title>"}, ReadFileNameTemplate, CheckFileNameTemplate},
      {L"outputfolder", {}, ReadOutputFolder, CheckOutputFolder},
      {L"format", {OutputFormats().front().word}, ReadFormat},
      {L"existing", {kExisting[0].word}, ReadExisting},
      {L"resolution", {L"150"}, ReadResolution},
      {L"quality", {kQualities[0].word}, ReadWord<kQualities, &JobOptions::quality>},
      {L"openafter", {kYesNo[0].word}, ReadWord<kYesNo, &JobOptions::openAfter>},
      {L"notify", {kYesNo[1].word}, ReadWord<kYesNo, &JobOptions::notify>},
      {L"title", &TemplateValues::title, ReadInfo<&DocumentInfo::title>},
      {L"author", &TemplateValues::user, ReadInfo<&DocumentInfo::author>},
      {L"subject", {}, ReadInfo<&DocumentInfo::subject>},
      {L"keywords", {}, ReadInfo<&DocumentInfo::keywords>},
      {L"userpassword", {}, ReadPassword<&PdfOptions::userPassword>, nullptr, true},
      {L"ownerpassword", {}, ReadPassword<&PdfOptions::ownerPassword>, nullptr, true},
      {L"permissions", {L"all"}, ReadPermissions},
      {L"background", {}, ReadPdfFile<&PdfOptions::background>},
      {L"stamp", {}, ReadPdfFile<&PdfOptions::stamp>},
      {L"attach", {}, ReadAttachments},
  };
  return kSettings;
}

// Runs one step of a setting, naming it and its value when it fails.
template <typename Step>
void Apply(const JobSetting& setting, const std::wstring& value, Step step) {
  try {
    step();
  } catch (const Unusable& unusable) {
    throw SettingFailure{setting.name, setting.secret ? kHiddenValue : value, unusable.allowed};
  }
}

}  // namespace

const std::vector<std::wstring>& JobSettingNames() {
  static const std::vector<std::wstring> kNames = [] {
    std::vector<std::wstring> names;
    for (const JobSetting& setting : Settings()) names.emplace_back(setting.name);
    return names;
  }();
  return kNames;
}

std::wstring SettingFailure::Text() const {
  return L"The setting \"" + name + L"\" has the value \"" + value +
         L"\", which cannot be used. Allowed: " + allowed + L".";
}

JobOptions ReadJobOptions(const SettingValues& settings, const JobFacts& facts) {
  Reading reading{facts, {}, {}, {}, {}};
  std::vector<std::wstring> values;
  for (const JobSetting& setting : Settings()) {
    const auto found = settings.find(setting.name);
    std::wstring value =
        found == settings.end() || found->second.empty() ? setting.unset.Of(facts) : found->second;
    Apply(setting, value, [&] { setting.read(value, reading); });
    values.push_back(std::move(value));
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    const JobSetting& setting = Settings()[i];
    if (setting.check) Apply(setting, values[i], [&] { setting.check(reading); });
  }
  return reading.options;
}
