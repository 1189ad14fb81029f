// Two file utilities of the monitor: folder chains and presence tests.
#pragma once

#include <string>

// Creates the folder and every missing folder above it; true when it exists afterwards.
bool CreateFolderTree(const std::wstring& path);

// True when a file or folder of that name exists.
bool FileExists(const std::wstring& path);
