// Reads the converter's command line as the monitor writes it (the converter's
// side; the format is in converter_protocol.h).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

using ConverterParameters = std::vector<std::pair<std::wstring, std::wstring>>;

// The key="value" parameters after the program path, in their order; nothing
// when the text does not follow the form (an unterminated value, a missing "=").
std::optional<ConverterParameters> ReadConverterParameters(const std::wstring& commandLine);

struct JobRequest {
  std::wstring spoolFile;
  std::wstring sessionId;
  std::wstring documentName;
  std::wstring printerName;
};

struct MessageRequest {
  std::wstring message;  // backslashes as the user is to see them (no longer doubled)
  std::wstring iconWord;
};

// The job form (ps, sessionid, doc, printer) or nothing.
std::optional<JobRequest> AsJobRequest(const ConverterParameters& parameters);
// The message form (msg, icon) or nothing.
std::optional<MessageRequest> AsMessageRequest(const ConverterParameters& parameters);
