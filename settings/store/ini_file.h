// A settings file of the INI kind, read into and written from a two-level tree
// of keyed tables. Load and Save never raise: they return false and keep the
// error's number and text in LastError and LastErrorMessage.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dictionary.h"

class IniFile {
 public:
  IniFile() { Reset(); }

  // The tree of the last Load, or the tree handed in for Save (shared, not copied).
  DictionaryPtr Data() const { return data_; }
  void SetData(DictionaryPtr data) { data_ = std::move(data); }

  // Reads the file into a new root; true when the whole file was read. A UTF-8 or
  // UTF-16 LE byte-order mark selects that encoding, else the ANSI code page.
  bool Load(const std::wstring& filename) noexcept;
  // Writes the tree (CR LF line ends) in the ANSI code page when every character
  // converts exactly, else as UTF-8 with its byte-order mark on a line of its
  // own. The target is replaced only once the whole text is written
  // (ReplaceFileContent): a failed save leaves the previous file as it was, a
  // successful one keeps the file's security, attributes and streams. True when
  // the whole tree was written.
  bool Save(const std::wstring& filename) noexcept;

  // Clears the error and drops the tree.
  void Reset() noexcept;

  std::int32_t LastError() const noexcept { return lastError_; }
  const std::wstring& LastErrorMessage() const noexcept { return lastErrorMessage_; }

 private:
  void ClearError() noexcept;
  void RecordError(std::int32_t number, const std::function<std::wstring()>& message) noexcept;
  void RecordCurrentException() noexcept;

  DictionaryPtr data_;
  std::int32_t lastError_ = 0;
  std::wstring lastErrorMessage_;
};
