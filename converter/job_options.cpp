#include "job_options.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include "output_name.h"

namespace {

constexpr std::array<const wchar_t*, 12> kNames = {
    L"output",  L"outputfolder", L"filename", L"existing", L"format",   L"resolution",
    L"quality", L"title",        L"author",   L"subject",  L"keywords", L"openafter"};

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

std::wstring Value(const SettingValues& settings, const wchar_t* name) {
  const auto found = settings.find(name);
  return found == settings.end() ? std::wstring() : found->second;
}

// The position of the value among `words` (compared without case); the
// default's position when unset. Raises SettingFailure for any other value.
template <std::size_t N>
std::size_t Choice(const SettingValues& settings, const wchar_t* name,
                   const std::array<const wchar_t*, N>& words, std::size_t defaultChoice) {
  const std::wstring value = Value(settings, name);
  if (value.empty()) return defaultChoice;
  const std::wstring lower = Lower(value);
  for (std::size_t i = 0; i < N; ++i) {
    if (lower == words[i]) return i;
  }
  std::wstring allowed;
  for (const wchar_t* word : words) allowed += (allowed.empty() ? L"" : L", ") + std::wstring(word);
  throw SettingFailure{name, value, allowed};
}

int Resolution(const SettingValues& settings) {
  const std::wstring value = Value(settings, L"resolution");
  if (value.empty()) return 150;
  const bool digits = value.size() <= 4 && std::all_of(value.begin(), value.end(), [](wchar_t c) {
                        return c >= L'0' && c <= L'9';
                      });
  const int dpi = digits ? std::stoi(value) : 0;
  if (dpi < 36 || dpi > 2400) throw SettingFailure{L"resolution", value, L"36 to 2400"};
  return dpi;
}

}  // namespace

std::span<const wchar_t* const> JobSettingNames() { return kNames; }

std::wstring SettingFailure::Text() const {
  return L"The setting \"" + name + L"\" has the value \"" + value +
         L"\", which cannot be used. Allowed: " + allowed + L".";
}

JobOptions ReadJobOptions(const SettingValues& settings, const std::wstring& documentName,
                          const std::wstring& userName) {
  JobOptions options;
  options.output = Value(settings, L"output");
  if (!options.output.empty() && !IsUsableOutputPath(options.output)) {
    throw SettingFailure{L"output", options.output, kUsablePathText};
  }
  options.outputFolder = Value(settings, L"outputfolder");
  options.fileNameTemplate = Value(settings, L"filename");
  if (options.fileNameTemplate.empty()) options.fileNameTemplate = L"<title>";

  static constexpr std::array<const wchar_t*, 5> kFormats = {L"pdf", L"pdfa", L"png", L"jpeg",
                                                             L"tiff"};
  options.format = static_cast<OutputFormat>(Choice(settings, L"format", kFormats, 0));
  static constexpr std::array<const wchar_t*, 3> kExisting = {L"overwrite", L"number", L"append"};
  options.existing = static_cast<ExistingFile>(Choice(settings, L"existing", kExisting, 0));
  if (options.existing == ExistingFile::kAppend && options.format != OutputFormat::kPdf &&
      options.format != OutputFormat::kPdfA) {
    throw SettingFailure{L"existing", Value(settings, L"existing"),
                         L"overwrite, number (append only with the format pdf or pdfa)"};
  }
  options.resolution = Resolution(settings);
  static constexpr std::array<const wchar_t*, 5> kQualities = {L"default", L"screen", L"ebook",
                                                               L"printer", L"prepress"};
  const std::size_t quality = Choice(settings, L"quality", kQualities, 0);
  if (quality != 0) options.quality = kQualities[quality];
  static constexpr std::array<const wchar_t*, 2> kYesNo = {L"no", L"yes"};
  options.openAfter = Choice(settings, L"openafter", kYesNo, 0) == 1;

  options.info.title = Value(settings, L"title");
  if (options.info.title.empty()) options.info.title = documentName;
  options.info.author = Value(settings, L"author");
  if (options.info.author.empty()) options.info.author = userName;
  options.info.subject = Value(settings, L"subject");
  options.info.keywords = Value(settings, L"keywords");
  return options;
}

const wchar_t* FileExtension(OutputFormat format) {
  switch (format) {
    case OutputFormat::kPng:
      return L".png";
    case OutputFormat::kJpeg:
      return L".jpg";
    case OutputFormat::kTiff:
      return L".tif";
    default:
      return L".pdf";
  }
}

bool OneFilePerPage(OutputFormat format) {
  return format == OutputFormat::kPng || format == OutputFormat::kJpeg;
}
