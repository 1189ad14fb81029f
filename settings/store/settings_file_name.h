// The name of a printer instance's settings file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// dataFolder + "\" + ("runonce" or "settings") + ("-" + the instance's
// file-name part when the instance is not empty) + ".ini". With the escaped
// part between that prefix and ".ini", any instance names one plain file in
// the data folder: the name has no separator or stream colon, is never "." or
// "..", never a device name (CON, NUL, COM1, ... are reserved only as the
// whole name before the extension) and never ends with a dot or a blank.
std::wstring SettingsFileName(const std::wstring& dataFolder, bool isRunOnce,
                              const std::wstring& instance);

// `instance` as part of a file name: each character that a file name cannot
// hold (\ / : * ? " < > | and the control characters U+0000 to U+001F) becomes
// "%" and its code in two upper-case hexadecimal digits ("%3A" for ":"); every
// other character stays, "%" too. A name that could already stand in a file
// name is kept exactly, so it keeps its file.
std::wstring InstanceFileNamePart(std::wstring_view instance);

// The name that the instance's file had when instance names stood in file
// names verbatim, for an instance whose one character that a file name cannot
// hold is ":" ("HP:Laser" gave "settings-HP:Laser.ini", on NTFS the stream
// "Laser.ini" of the file "settings-HP"); nullopt for every other instance.
std::optional<std::wstring> VerbatimSettingsFileName(const std::wstring& dataFolder, bool isRunOnce,
                                                     const std::wstring& instance);
