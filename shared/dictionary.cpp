#include "dictionary.h"

#include "automation_error.h"

bool Dictionary::Exists(const std::wstring& key) const { return index_.count(key) != 0; }

const Dictionary::Value* Dictionary::Find(const std::wstring& key) const {
  auto it = index_.find(key);
  return it == index_.end() ? nullptr : &entries_[it->second].value;
}

Dictionary::Value* Dictionary::Find(const std::wstring& key) {
  auto it = index_.find(key);
  return it == index_.end() ? nullptr : &entries_[it->second].value;
}

void Dictionary::Set(const std::wstring& key, Value value) {
  if (Value* existing = Find(key)) {
    *existing = std::move(value);
    return;
  }
  Append(key, std::move(value));
}

void Dictionary::Add(const std::wstring& key, Value value) {
  if (Exists(key)) {
    RaiseError(kDuplicateKeyError,
               L"This key is already associated with an element of this collection");
  }
  Append(key, std::move(value));
}

std::vector<std::wstring> Dictionary::Keys() const {
  std::vector<std::wstring> keys;
  keys.reserve(entries_.size());
  for (const Entry& entry : entries_) keys.push_back(entry.key);
  return keys;
}

const std::wstring* AsText(const Dictionary::Value& value) noexcept {
  return std::get_if<std::wstring>(&value);
}

DictionaryPtr AsDictionary(const Dictionary::Value& value) noexcept {
  const DictionaryPtr* table = std::get_if<DictionaryPtr>(&value);
  return table ? *table : nullptr;
}

void Dictionary::Append(const std::wstring& key, Value value) {
  entries_.push_back({key, std::move(value)});
  try {
    index_.emplace(key, entries_.size() - 1);
  } catch (...) {
    entries_.pop_back();
    throw;
  }
}
