// What the host's tools (pdfinfo, pdftotext, qpdf, file) say about a file the
// converter wrote.
#pragma once

#include <string>

// What a host command prints about `file` ("$0" in the command), as UTF-8
// bytes; a failure of the command fails the test.
std::string HostTool(const std::wstring& command, const std::wstring& file);

// The value of one "Name:   value" line of pdfinfo's report ("<missing>" when none).
std::string InfoField(const std::string& report, const std::string& name);

std::string Utf8(const std::wstring& text);
