#include "dictionary.h"

#include <functional>
#include <new>

#include "automation_error.h"

namespace {
std::size_t HashOf(const std::wstring& key) noexcept { return std::hash<std::wstring>{}(key); }
}  // namespace

std::size_t Dictionary::SlotOf(const std::wstring& key, std::size_t hash) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::uint32_t held = slots_[slot];
    if (held == 0) return slot;
    if (hashes_[held - 1] == hash && entries_[held - 1].key == key) return slot;
  }
}

bool Dictionary::Exists(const std::wstring& key) const { return Find(key) != nullptr; }

const Dictionary::Value* Dictionary::Find(const std::wstring& key) const {
  if (slots_.empty()) return nullptr;
  const std::uint32_t held = slots_[SlotOf(key, HashOf(key))];
  return held == 0 ? nullptr : &entries_[held - 1].value;
}

Dictionary::Value* Dictionary::Find(const std::wstring& key) {
  return const_cast<Value*>(static_cast<const Dictionary*>(this)->Find(key));
}

void Dictionary::Set(const std::wstring& key, Value value) {
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  const std::size_t hash = HashOf(key);
  const std::size_t slot = SlotOf(key, hash);
  if (slots_[slot] != 0) {
    entries_[slots_[slot] - 1].value = std::move(value);
    return;
  }
  Insert(slot, hash, key, std::move(value));
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

void Dictionary::Grow() {
  std::vector<std::uint32_t> slots(slots_.empty() ? 16 : slots_.size() * 2, 0);
  const std::size_t mask = slots.size() - 1;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    std::size_t slot = hashes_[i] & mask;
    while (slots[slot] != 0) slot = (slot + 1) & mask;
    slots[slot] = static_cast<std::uint32_t>(i + 1);
  }
  slots_.swap(slots);
}

void Dictionary::Append(const std::wstring& key, Value value) {
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  const std::size_t hash = HashOf(key);
  Insert(SlotOf(key, hash), hash, key, std::move(value));
}

void Dictionary::Insert(std::size_t slot, std::size_t hash, const std::wstring& key, Value value) {
  if (entries_.size() >= UINT32_MAX - 1) throw std::bad_alloc();
  hashes_.push_back(hash);
  try {
    entries_.emplace_back(Entry{key, std::move(value)});
  } catch (...) {
    hashes_.pop_back();
    throw;
  }
  slots_[slot] = static_cast<std::uint32_t>(entries_.size());
}
