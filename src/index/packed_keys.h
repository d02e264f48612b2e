#pragma once

// Short keys as exact 64-bit numbers, and a set of them: what the reference scan counts a
// column's distinct keys with, and how it tells an item code fast.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sallowmere {

// A key as a number, exact: a key of one to seven bytes is its bytes with its length in the top
// byte; a longer one is its position among the table's longer keys, with 0xFF there. No key packs
// to 0, which marks an empty slot.
using PackedKey = std::uint64_t;
inline constexpr std::size_t kMostPackedBytes = 7;
inline constexpr PackedKey kLongKey = PackedKey{0xFF} << 56;

inline PackedKey PackShort(std::string_view key) {
  PackedKey bits = PackedKey{key.size()} << 56;
  for (std::size_t i = 0; i < key.size(); ++i) {
    bits |= PackedKey{static_cast<unsigned char>(key[i])} << (8 * i);
  }
  return bits;
}

// The key PackShort packed into `packed`.
inline std::string UnpackShort(PackedKey packed) {
  std::string key(static_cast<std::size_t>(packed >> 56), '\0');
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<char>(packed >> (8 * i));
  return key;
}

inline std::size_t HashOf(PackedKey key) {
  key ^= key >> 33;
  key *= 0xFF51AFD7ED558CCDu;
  key ^= key >> 33;
  return static_cast<std::size_t>(key);
}

// A set of packed keys: open addressing, no copy of a short key, an allocation only as it
// doubles. A column's distinct keys: most columns hold a handful, so their sets stay small enough
// to be read from the cache.
class KeySet {
 public:
  // Adds `key`; false when it was there already.
  bool Insert(PackedKey key) {
    if ((used_ + 1) * 2 > slots_.size()) Grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = HashOf(key) & mask;; at = (at + 1) & mask) {
      PackedKey& slot = slots_[at];
      if (slot == 0) {
        slot = key;
        ++used_;
        return true;
      }
      if (slot == key) return false;
    }
  }

  bool Contains(PackedKey key) const { return SlotOf(key) != kNone; }

  // Where `key` stands in the set, from 0 to Slots() - 1, kept until the set grows; kNone when
  // it is not there.
  static constexpr std::size_t kNone = SIZE_MAX;
  std::size_t SlotOf(PackedKey key) const {
    if (slots_.empty()) return kNone;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = HashOf(key) & mask;; at = (at + 1) & mask) {
      if (slots_[at] == 0) return kNone;
      if (slots_[at] == key) return at;
    }
  }
  std::size_t Slots() const { return slots_.size(); }

 private:
  void Grow() {
    std::vector<PackedKey> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(16, old.size() * 2), 0);
    used_ = 0;
    for (const PackedKey key : old) {
      if (key != 0) Insert(key);
    }
  }

  std::vector<PackedKey> slots_;
  std::size_t used_ = 0;
};

// Numbers packed keys 0, 1, 2, ... in the order they are first met: a key's place in a vector
// of what is known of each key, found with no allocation per key.
class KeyNumbers {
 public:
  // The number of `key`, the next one when it is new.
  std::uint32_t NumberOf(PackedKey key) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = HashOf(key) & mask;; at = (at + 1) & mask) {
      Slot& slot = slots_[at];
      if (slot.key == 0) {
        slot = {key, count_++};
        return slot.number;
      }
      if (slot.key == key) return slot.number;
    }
  }

 private:
  struct Slot {
    PackedKey key = 0;
    std::uint32_t number = 0;
  };

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(16, old.size() * 2), Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.key == 0) continue;
      std::size_t at = HashOf(slot.key) & mask;
      while (slots_[at].key != 0) at = (at + 1) & mask;
      slots_[at] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::uint32_t count_ = 0;
};

}  // namespace sallowmere
