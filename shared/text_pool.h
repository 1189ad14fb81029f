// Append-only storage for many small texts: a text is copied into large blocks
// instead of getting an allocation of its own, and its view stays valid until
// the pool is destroyed or swapped away.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class TextPool {
 public:
  // Copies `text` into the pool; the view returned points at the copy.
  std::wstring_view Keep(std::wstring_view text);

  // Code units kept so far.
  std::size_t Size() const noexcept { return size_; }

  void swap(TextPool& other) noexcept;

 private:
  void AddBlock(std::size_t atLeast);

  std::vector<std::unique_ptr<wchar_t[]>> blocks_;
  wchar_t* next_ = nullptr;  // free space of the last block
  std::size_t room_ = 0;
  std::size_t nextBlockSize_ = 256;
  std::size_t size_ = 0;
};
