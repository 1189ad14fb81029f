// Settings file text: reading never fails, and the tree read from what was
// written is the tree that is written and read again (one pass settles it).
#include <memory>
#include <vector>

#include "fuzz_text.h"
#include "ini_text.h"

namespace {

DictionaryPtr Read(std::wstring_view text) {
  auto root = std::make_shared<Dictionary>();
  ParseIniText(text, *root, [] { return std::make_shared<Dictionary>(); });
  return root;
}

// The entries of one kind (texts, or nested tables) in their order.
std::vector<const Dictionary::Entry*> EntriesOfKind(const Dictionary& table, bool nested) {
  std::vector<const Dictionary::Entry*> entries;
  for (const Dictionary::Entry& entry : table) {
    if ((AsDictionary(entry.value) != nullptr) == nested) entries.push_back(&entry);
  }
  return entries;
}

// The same tree as a file holds it: a file lists the plain entries before the
// sections, so only the order within each kind can be kept.
bool SameTree(const Dictionary& a, const Dictionary& b) {
  for (const bool nested : {false, true}) {
    const auto left = EntriesOfKind(a, nested);
    const auto right = EntriesOfKind(b, nested);
    if (left.size() != right.size()) return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
      if (left[i]->key != right[i]->key) return false;
      if (nested ? !SameTree(*AsDictionary(left[i]->value), *AsDictionary(right[i]->value))
                 : *AsText(left[i]->value) != *AsText(right[i]->value)) {
        return false;
      }
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
