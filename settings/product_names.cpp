#include "product_names.h"

#include <algorithm>

std::wstring GetAppName() { return L"PDF Writer"; }

std::wstring ReplaceBackslashes(std::wstring text) {
  std::replace(text.begin(), text.end(), L'\\', L'_');
  return text;
}
