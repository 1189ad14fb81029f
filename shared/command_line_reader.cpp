#include "command_line_reader.h"

#include "converter_protocol.h"

using namespace converter_protocol;

namespace {

// Index just past the program path (quoted or not) at the start of the text.
std::size_t SkipProgramPath(const std::wstring& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == L' ') ++i;
  if (i < text.size() && text[i] == L'"') {
    const std::size_t close = text.find(L'"', i + 1);
    return close == std::wstring::npos ? text.size() : close + 1;
  }
  while (i < text.size() && text[i] != L' ' && text[i] != L'\t') ++i;
  return i;
}

const std::wstring* Find(const ConverterParameters& parameters, const wchar_t* key) {
  for (const auto& [name, value] : parameters) {
    if (name == key) return &value;
  }
  return nullptr;
}

}  // namespace

std::optional<ConverterParameters> ReadConverterParameters(const std::wstring& commandLine) {
  ConverterParameters parameters;
  std::size_t i = SkipProgramPath(commandLine);
  for (;;) {
    while (i < commandLine.size() &&
           (commandLine[i] == L' ' || commandLine[i] == L'\t' || commandLine[i] == L',')) {
      ++i;
    }
    if (i == commandLine.size()) return parameters;

    const std::size_t equals = commandLine.find(L'=', i);
    if (equals == std::wstring::npos || equals + 1 >= commandLine.size() ||
        commandLine[equals + 1] != L'"') {
      return std::nullopt;
    }
    std::wstring key = commandLine.substr(i, equals - i);
    std::wstring value;
    i = equals + 2;
    for (;;) {
      if (i >= commandLine.size()) return std::nullopt;  // the value never ends
      if (commandLine[i] == L'"') {
        if (i + 1 < commandLine.size() && commandLine[i + 1] == L'"') {
          value.push_back(L'"');
          i += 2;
          continue;
        }
        ++i;
        break;
      }
      value.push_back(commandLine[i++]);
    }
    parameters.emplace_back(std::move(key), std::move(value));
  }
}

std::optional<JobRequest> AsJobRequest(const ConverterParameters& parameters) {
  const std::wstring* ps = Find(parameters, kSpoolFileKey);
  const std::wstring* session = Find(parameters, kSessionIdKey);
  const std::wstring* doc = Find(parameters, kDocumentKey);
  const std::wstring* printer = Find(parameters, kPrinterKey);
  if (!ps || !session || !doc || !printer) return std::nullopt;
  return JobRequest{*ps, *session, *doc, *printer};
}

std::optional<MessageRequest> AsMessageRequest(const ConverterParameters& parameters) {
  const std::wstring* msg = Find(parameters, kMessageKey);
  const std::wstring* icon = Find(parameters, kIconKey);
  if (!msg || !icon) return std::nullopt;
  // The monitor writes every backslash of a message twice.
  std::wstring message;
  for (std::size_t i = 0; i < msg->size(); ++i) {
    message.push_back((*msg)[i]);
    if ((*msg)[i] == L'\\' && i + 1 < msg->size() && (*msg)[i + 1] == L'\\') ++i;
  }
  return MessageRequest{std::move(message), *icon};
}
