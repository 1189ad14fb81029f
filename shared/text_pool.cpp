#include "text_pool.h"

#include <algorithm>
#include <utility>

namespace {
// Blocks double from 256 code units up to this size; a longer text gets a block of its own size.
constexpr std::size_t kLargestBlock = std::size_t{1} << 20;
}  // namespace

std::wstring_view TextPool::Keep(std::wstring_view text) {
  if (text.empty()) return {};
  if (text.size() > room_) AddBlock(text.size());
  wchar_t* copy = next_;
  std::copy(text.begin(), text.end(), copy);
  next_ += text.size();
  room_ -= text.size();
  size_ += text.size();
  return {copy, text.size()};
}

void TextPool::AddBlock(std::size_t atLeast) {
  const std::size_t size = std::max(atLeast, nextBlockSize_);
  blocks_.push_back(std::unique_ptr<wchar_t[]>(new wchar_t[size]));
  next_ = blocks_.back().get();
  room_ = size;
  nextBlockSize_ = std::min(nextBlockSize_ * 2, kLargestBlock);
}

void TextPool::swap(TextPool& other) noexcept {
  blocks_.swap(other.blocks_);
  std::swap(next_, other.next_);
  std::swap(room_, other.room_);
  std::swap(nextBlockSize_, other.nextBlockSize_);
  std::swap(size_, other.size_);
}
