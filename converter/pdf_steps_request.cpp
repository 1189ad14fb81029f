#include "pdf_steps_request.h"

#include <array>
#include <vector>

namespace {

constexpr std::wstring_view kRequestWord = L"pdf-steps-1";
constexpr std::wstring_view kAnswerWord = L"pdf-steps-answer-1";
// Longer counts and lengths are not read: no field of a job comes near them.
constexpr std::size_t kMostDigits = 9;

class RecordWriter {
 public:
  explicit RecordWriter(std::wstring_view word) { Text(word); }
  void Text(std::wstring_view text) {
    record_ += std::to_wstring(text.size()) + L":";
    record_ += text;
  }
  void Number(std::uint64_t value) { Text(std::to_wstring(value)); }
  void Flag(bool value) { Text(value ? L"1" : L"0"); }
  void List(const std::vector<std::wstring>& texts) {
    Number(texts.size());
    for (const std::wstring& text : texts) Text(text);
  }
  std::wstring Take() { return std::move(record_); }

 private:
  std::wstring record_;
};

// Reads fields in order; once one is malformed every later read fails too.
class RecordReader {
 public:
  explicit RecordReader(std::wstring_view record) : rest_(record) {}

  std::optional<std::wstring> Text() {
    std::size_t length = 0;
    std::size_t digits = 0;
    while (digits < rest_.size() && rest_[digits] >= L'0' && rest_[digits] <= L'9') {
      if (++digits > kMostDigits) return Fail();
      length = length * 10 + static_cast<std::size_t>(rest_[digits - 1] - L'0');
    }
    if (!ok_ || digits == 0 || digits >= rest_.size() || rest_[digits] != L':' ||
        rest_.size() - digits - 1 < length) {
      return Fail();
    }
    std::wstring text(rest_.substr(digits + 1, length));
    rest_.remove_prefix(digits + 1 + length);
    return text;
  }
  std::optional<std::uint64_t> Number() {
    const std::optional<std::wstring> text = Text();
    if (!text || text->empty() || text->size() > 20) return Fail();
    std::uint64_t value = 0;
    for (wchar_t c : *text) {
      if (c < L'0' || c > L'9') return Fail();
      const auto digit = static_cast<std::uint64_t>(c - L'0');
      if (value > (UINT64_MAX - digit) / 10) return Fail();
      value = value * 10 + digit;
    }
    return value;
  }
  std::optional<bool> Flag() {
    const std::optional<std::wstring> text = Text();
    if (text == L"1") return true;
    if (text == L"0") return false;
    return Fail();
  }
  std::optional<std::vector<std::wstring>> List() {
    const std::optional<std::uint64_t> count = Number();
    // Each entry takes two characters at least, so the count cannot be larger.
    if (!count || *count > rest_.size() / 2) return Fail();
    std::vector<std::wstring> texts;
    for (std::uint64_t i = 0; i < *count; ++i) {
      std::optional<std::wstring> text = Text();
      if (!text) return Fail();
      texts.push_back(std::move(*text));
    }
    return texts;
  }
  bool Word(std::wstring_view word) { return Text() == word; }
  // True when every field was read well and nothing is left.
  bool Complete() const { return ok_ && rest_.empty(); }

 private:
  std::nullopt_t Fail() {
    ok_ = false;
    return std::nullopt;
  }
  std::wstring_view rest_;
  bool ok_ = true;
};

using PermissionFlag = bool PdfPermissions::*;
constexpr std::array<PermissionFlag, 6> kPermissionFlags = {
    &PdfPermissions::print,    &PdfPermissions::copy,      &PdfPermissions::modify,
    &PdfPermissions::annotate, &PdfPermissions::fillForms, &PdfPermissions::assemble};

template <typename T>
bool Take(std::optional<T> field, T& into) {
  if (!field) return false;
  into = std::move(*field);
  return true;
}

}  // namespace

std::wstring EncodeRequest(const PdfStepsRequest& request) {
  const PdfAssembly& assembly = request.assembly;
  RecordWriter record(kRequestWord);
  record.Text(assembly.input);
  record.Text(assembly.output);
  record.Number(request.outputHandle);
  record.Text(assembly.existing);
  record.Number(request.existingHandle);
  record.List(assembly.existingPasswords);
  record.Text(assembly.background);
  record.Text(assembly.stamp);
  record.List(assembly.attachments);
  record.Flag(assembly.associatedFiles);
  record.Flag(assembly.encryption.has_value());
  if (assembly.encryption) {
    record.Text(assembly.encryption->userPassword);
    record.Text(assembly.encryption->ownerPassword);
    for (PermissionFlag flag : kPermissionFlags)
      record.Flag(assembly.encryption->permissions.*flag);
  }
  return record.Take();
}

std::optional<PdfStepsRequest> DecodeRequest(std::wstring_view text) {
  RecordReader record(text);
  PdfStepsRequest request;
  PdfAssembly& assembly = request.assembly;
  bool encrypts = false;
  if (!record.Word(kRequestWord) || !Take(record.Text(), assembly.input) ||
      !Take(record.Text(), assembly.output) || !Take(record.Number(), request.outputHandle) ||
      !Take(record.Text(), assembly.existing) || !Take(record.Number(), request.existingHandle) ||
      !Take(record.List(), assembly.existingPasswords) ||
      !Take(record.Text(), assembly.background) || !Take(record.Text(), assembly.stamp) ||
      !Take(record.List(), assembly.attachments) ||
      !Take(record.Flag(), assembly.associatedFiles) || !Take(record.Flag(), encrypts)) {
    return std::nullopt;
  }
  if (encrypts) {
    PdfEncryption& encryption = assembly.encryption.emplace();
    if (!Take(record.Text(), encryption.userPassword) ||
        !Take(record.Text(), encryption.ownerPassword)) {
      return std::nullopt;
    }
    for (PermissionFlag flag : kPermissionFlags) {
      if (!Take(record.Flag(), encryption.permissions.*flag)) return std::nullopt;
    }
  }
  if (!record.Complete()) return std::nullopt;
  return request;
}

std::wstring EncodeAnswer(const PdfStepsAnswer& answer) {
  RecordWriter record(kAnswerWord);
  record.Flag(answer.failure.has_value());
  if (answer.failure) {
    record.Text(answer.failure->setting);
    record.Text(answer.failure->value);
    record.Text(answer.failure->reason);
  }
  return record.Take();
}

std::optional<PdfStepsAnswer> DecodeAnswer(std::wstring_view text) {
  RecordReader record(text);
  PdfStepsAnswer answer;
  bool failed = false;
  if (!record.Word(kAnswerWord) || !Take(record.Flag(), failed)) return std::nullopt;
  if (failed) {
    PdfFailure& failure = answer.failure.emplace();
    if (!Take(record.Text(), failure.setting) || !Take(record.Text(), failure.value) ||
        !Take(record.Text(), failure.reason)) {
      return std::nullopt;
    }
  }
  if (!record.Complete()) return std::nullopt;
  return answer;
}
