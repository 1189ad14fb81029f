#include "dictionary.h"

#include <algorithm>
#include <functional>
#include <new>

#include "automation_error.h"

namespace {

std::uint32_t HashOf(std::wstring_view key) noexcept {
  return static_cast<std::uint32_t>(std::hash<std::wstring_view>{}(key));
}

std::size_t TextSizeOf(const Dictionary::Value& value) noexcept {
  const std::wstring_view* text = AsText(value);
  return text ? text->size() : 0;
}

// Replaced texts are copied away only past this size, so small tables never compact.
constexpr std::size_t kSmallestCompaction = 64 * 1024;

}  // namespace

std::size_t Dictionary::SlotOf(std::wstring_view key, std::uint32_t hash) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const Slot& held = slots_[slot];
    if (held.entry == 0) return slot;
    if (held.hash == hash && entries_[held.entry - 1].key == key) return slot;
  }
}

bool Dictionary::Exists(std::wstring_view key) const { return Find(key) != nullptr; }

const Dictionary::Value* Dictionary::Find(std::wstring_view key) const {
  if (slots_.empty()) return nullptr;
  const std::uint32_t held = slots_[SlotOf(key, HashOf(key))].entry;
  return held == 0 ? nullptr : &entries_[held - 1].value;
}

void Dictionary::Set(std::wstring_view key, const Value& value) {
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  SetHashed(key, HashOf(key), value);
  CompactWhenMostlyDead();
}

void Dictionary::SetTexts(std::span<const TextEntry> entries) {
  // A window's index places are fetched while the ones before them are filled;
  // room is made first so that the index does not move under the fetches.
  constexpr std::size_t kWindow = 32;
  std::uint32_t hashes[kWindow];
  while (!entries.empty()) {
    const std::size_t count = std::min(entries.size(), kWindow);
    while ((entries_.size() + count) * 2 > slots_.size()) Grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = 0; i < count; ++i) {
      hashes[i] = HashOf(entries[i].key);
      __builtin_prefetch(&slots_[hashes[i] & mask]);
    }
    for (std::size_t i = 0; i < count; ++i) SetHashed(entries[i].key, hashes[i], entries[i].text);
    entries = entries.subspan(count);
  }
  CompactWhenMostlyDead();  // only now: the entries may view this table's own texts
}

void Dictionary::SetHashed(std::wstring_view key, std::uint32_t hash, const Value& value) {
  const std::size_t slot = SlotOf(key, hash);
  if (slots_[slot].entry != 0) {
    Replace(entries_[slots_[slot].entry - 1].value, value);
    return;
  }
  Insert(slot, hash, key, value);
}

void Dictionary::Add(std::wstring_view key, const Value& value) {
  if (Exists(key)) {
    RaiseError(kDuplicateKeyError,
               L"This key is already associated with an element of this collection");
  }
  Set(key, value);
}

std::vector<std::wstring> Dictionary::Keys() const {
  std::vector<std::wstring> keys;
  keys.reserve(entries_.size());
  for (const Entry& entry : entries_) keys.emplace_back(entry.key);
  return keys;
}

const std::wstring_view* AsText(const Dictionary::Value& value) noexcept {
  return std::get_if<std::wstring_view>(&value);
}

DictionaryPtr AsDictionary(const Dictionary::Value& value) noexcept {
  const DictionaryPtr* table = std::get_if<DictionaryPtr>(&value);
  return table ? *table : nullptr;
}

void Dictionary::Reserve(std::size_t count) {
  entries_.reserve(count);
  std::size_t slotCount = slots_.empty() ? 16 : slots_.size();
  while (count * 2 > slotCount) slotCount *= 2;
  if (slotCount > slots_.size()) Rehash(slotCount);
}

void Dictionary::Grow() { Rehash(slots_.empty() ? 16 : slots_.size() * 2); }

void Dictionary::Rehash(std::size_t slotCount) {
  std::vector<Slot> slots(slotCount);
  const std::size_t mask = slots.size() - 1;
  for (const Slot& held : slots_) {
    if (held.entry == 0) continue;
    std::size_t slot = held.hash & mask;
    while (slots[slot].entry != 0) slot = (slot + 1) & mask;
    slots[slot] = held;
  }
  slots_.swap(slots);
}

Dictionary::Value Dictionary::Kept(const Value& value) {
  if (const std::wstring_view* text = AsText(value)) return texts_.Keep(*text);
  return value;
}

void Dictionary::Insert(std::size_t slot, std::uint32_t hash, std::wstring_view key,
                        const Value& value) {
  if (entries_.size() >= UINT32_MAX - 1) throw std::bad_alloc();
  entries_.push_back(Entry{texts_.Keep(key), Kept(value)});
  slots_[slot] = Slot{static_cast<std::uint32_t>(entries_.size()), hash};
}

void Dictionary::Replace(Value& stored, const Value& value) {
  Value kept = Kept(value);  // before the old text counts as dead: `value` may view it
  deadTextSize_ += TextSizeOf(stored);
  stored = std::move(kept);
}

void Dictionary::CompactWhenMostlyDead() {
  if (deadTextSize_ < kSmallestCompaction || deadTextSize_ < texts_.Size() / 2) return;
  TextPool live;
  std::vector<Entry> moved;
  moved.reserve(entries_.size());
  for (const Entry& entry : entries_) {
    const std::wstring_view* text = AsText(entry.value);
    moved.push_back(
        Entry{live.Keep(entry.key), text ? Value(live.Keep(*text)) : Value(entry.value)});
  }
  entries_.swap(moved);
  texts_.swap(live);
  deadTextSize_ = 0;
}

std::wstring ToText(const Dictionary::Value& value) noexcept {
  try {
    if (const std::wstring_view* text = AsText(value)) return std::wstring(*text);
  } catch (...) {
  }
  return {};
}

DictionaryPtr NewDictionary() { return std::make_shared<Dictionary>(); }
