// Settings file text: reading never fails, and the tree read from what was
// written is the tree that is written and read again (one pass settles it).
#include <memory>

#include "fuzz_text.h"
#include "ini_text.h"

namespace {

DictionaryPtr Read(std::wstring_view text) {
  auto root = std::make_shared<Dictionary>();
  ParseIniText(text, *root, [] { return std::make_shared<Dictionary>(); });
  return root;
}

bool SameTree(const Dictionary& a, const Dictionary& b) {
  if (a.Count() != b.Count()) return false;
  auto left = a.begin();
  for (auto right = b.begin(); right != b.end(); ++left, ++right) {
    if (left->key != right->key) return false;
    const std::wstring* leftText = AsText(left->value);
    const std::wstring* rightText = AsText(right->value);
    if (leftText || rightText) {
      if (!leftText || !rightText || *leftText != *rightText) return false;
    } else if (!SameTree(*AsDictionary(left->value), *AsDictionary(right->value))) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DictionaryPtr first = Read(DecodeUnits(data, size));
  const std::wstring written = FormatIniText(*first);
  const DictionaryPtr settled = Read(written);
  const std::wstring rewritten = FormatIniText(*settled);
  const DictionaryPtr again = Read(rewritten);
  if (!SameTree(*settled, *again)) Finding("the tree read back from written text changes");
  if (rewritten != FormatIniText(*again)) Finding("the written text changes on a second pass");
  if (!first->Count() != written.empty()) Finding("an empty tree must give the empty text");
  return 0;
}
