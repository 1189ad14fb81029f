// The keyed table of the component and the tool: insertion-ordered, exact
// (case-sensitive) keys, values that are text or a nested table. Lookups are
// hashed, so building a table of n entries takes linear time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

class Dictionary;
using DictionaryPtr = std::shared_ptr<Dictionary>;

class Dictionary {
 public:
  using Value = std::variant<std::wstring, DictionaryPtr>;
  struct Entry {
    std::wstring key;
    Value value;
  };

  // Error raised by Add on a key that is already present.
  static constexpr int kDuplicateKeyError = 457;

  bool Exists(const std::wstring& key) const;
  std::size_t Count() const noexcept { return entries_.size(); }

  // The stored value, or null when the key is missing.
  const Value* Find(const std::wstring& key) const;
  Value* Find(const std::wstring& key);

  // Adds the key at the end when missing, else replaces the value in place.
  void Set(const std::wstring& key, Value value);
  // Appends a new key; raises error 457 when the key is already present.
  void Add(const std::wstring& key, Value value);

  // Keys in insertion order.
  std::vector<std::wstring> Keys() const;

  // Entries in insertion order.
  auto begin() const noexcept { return entries_.begin(); }
  auto end() const noexcept { return entries_.end(); }

  static const wchar_t* TypeName() noexcept { return L"Dictionary"; }

 private:
  void Append(const std::wstring& key, Value value);
  // The slot of `key` in slots_: the one that holds it, or the empty one where it would go.
  std::size_t SlotOf(const std::wstring& key, std::size_t hash) const noexcept;
  void Grow();
  void Insert(std::size_t slot, std::size_t hash, const std::wstring& key, Value value);

  std::vector<Entry> entries_;
  std::vector<std::size_t> hashes_;   // hash of each entry's key, in entry order
  std::vector<std::uint32_t> slots_;  // open addressing: entry index + 1, 0 when empty
};

// The text of a value, or null when the value is a nested table.
const std::wstring* AsText(const Dictionary::Value& value) noexcept;
// The nested table of a value, or null when the value is text.
DictionaryPtr AsDictionary(const Dictionary::Value& value) noexcept;
