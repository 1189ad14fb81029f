#include "system_random.h"

#include <windows.h>

#include <ntsecapi.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <stdexcept>

#include <qpdf/QUtil.hh>
#include <qpdf/RandomDataProvider.hh>

namespace {

// Hands out the system's random bytes from a block, wiping each one it gives.
class SystemRandomSource : public RandomDataProvider {
 public:
  void provideRandomData(unsigned char* data, size_t length) override {
    std::lock_guard lock(mutex_);
    while (length > 0) {
      if (used_ == block_.size()) {
        if (!RtlGenRandom(block_.data(), static_cast<ULONG>(block_.size()))) {
          throw std::runtime_error("the system's random generator failed");
        }
        used_ = 0;
      }
      const size_t count = std::min(length, block_.size() - used_);
      std::memcpy(data, block_.data() + used_, count);
      std::memset(block_.data() + used_, 0, count);
      used_ += count;
      data += count;
      length -= count;
    }
  }

 private:
  std::array<unsigned char, 4096> block_{};
  size_t used_ = block_.size();
  std::mutex mutex_;
};

}  // namespace

void UseSystemRandomSource() {
  static SystemRandomSource source;
  static const bool installed = (QUtil::setRandomDataProvider(&source), true);
  (void)installed;
}
