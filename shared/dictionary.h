// The keyed table of the component and the tool: insertion-ordered, exact
// (case-sensitive) keys, values that are text or a nested table. Lookups are
// hashed, so building a table of n entries takes linear time. The table keeps
// its own copy of every key and text in a text pool, so that an entry costs no
// allocation of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "text_pool.h"

class Dictionary;
using DictionaryPtr = std::shared_ptr<Dictionary>;

class Dictionary {
 public:
  // A value handed to Set or Add is copied; the views that the table gives out
  // (keys and texts of its entries) stay valid until the table next changes.
  using Value = std::variant<std::wstring_view, DictionaryPtr>;
  struct Entry {
    std::wstring_view key;
    Value value;
  };

  // Error raised by Add on a key that is already present.
  static constexpr int kDuplicateKeyError = 457;

  bool Exists(std::wstring_view key) const;
  std::size_t Count() const noexcept { return entries_.size(); }

  // The stored value, or null when the key is missing.
  const Value* Find(std::wstring_view key) const;

  // Adds the key at the end when missing, else replaces the value in place.
  void Set(std::wstring_view key, const Value& value);
  // Set of each text entry in turn. Faster than one Set after another for many
  // entries: the index places of the next keys are fetched ahead.
  struct TextEntry {
    std::wstring_view key;
    std::wstring_view text;
  };
  void SetTexts(std::span<const TextEntry> entries);
  // Makes room for `count` entries in all, so that filling the table that far
  // moves neither its entries nor its index.
  void Reserve(std::size_t count);
  // Appends a new key; raises error 457 when the key is already present.
  void Add(std::wstring_view key, const Value& value);

  // Keys in insertion order.
  std::vector<std::wstring> Keys() const;

  // Entries in insertion order.
  auto begin() const noexcept { return entries_.begin(); }
  auto end() const noexcept { return entries_.end(); }

  static const wchar_t* TypeName() noexcept { return L"Dictionary"; }

 private:
  // One place of the open-addressing index: the entry's position + 1 (0 when the
  // place is free) and its key's hash, so that a probe rarely touches the entries.
  struct Slot {
    std::uint32_t entry = 0;
    std::uint32_t hash = 0;
  };

  // The slot of `key` in slots_: the one that holds it, or the empty one where it would go.
  std::size_t SlotOf(std::wstring_view key, std::uint32_t hash) const noexcept;
  void Grow();
  void Rehash(std::size_t slotCount);
  void SetHashed(std::wstring_view key, std::uint32_t hash, const Value& value);
  void Insert(std::size_t slot, std::uint32_t hash, std::wstring_view key, const Value& value);
  Value Kept(const Value& value);
  void Replace(Value& stored, const Value& value);
  // Copies the live keys and texts into a fresh pool once replaced texts outweigh them.
  void CompactWhenMostlyDead();

  std::vector<Entry> entries_;
  std::vector<Slot> slots_;  // a power of two, at most half of them in use
  TextPool texts_;
  std::size_t deadTextSize_ = 0;  // code units of replaced texts still in texts_
};

// The text of a value, or null when the value is a nested table.
const std::wstring_view* AsText(const Dictionary::Value& value) noexcept;
// The nested table of a value, or null when the value is text.
DictionaryPtr AsDictionary(const Dictionary::Value& value) noexcept;

// A table entry as text: the text itself, or the empty text for a nested table.
std::wstring ToText(const Dictionary::Value& value) noexcept;

// A new, empty, independent keyed table.
DictionaryPtr NewDictionary();
