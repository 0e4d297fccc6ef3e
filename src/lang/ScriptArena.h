// The memory of one parsed script. Texts and arrays are copied in once and
// stay where they are until the arena goes, all at once: nothing in it is
// moved, changed or released one by one, so a view into it stays valid for
// the arena's whole life. Only trivially destructible things live here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

class TScriptArena {
 public:
  TScriptArena() = default;
  TScriptArena(const TScriptArena&) = delete;
  TScriptArena& operator=(const TScriptArena&) = delete;

  /// A copy of the text in the arena (empty texts take no room).
  std::string_view Text(std::string_view text);

  /// Room for `count` items, to be filled before anything reads them.
  template <class T>
  std::span<T> NewArray(size_t count) {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
    if (count == 0) return {};
    return {static_cast<T*>(Allocate(count * sizeof(T), alignof(T))), count};
  }

  /// A copy of the items in the arena, as one array.
  template <class T>
  std::span<const T> Array(std::span<const T> items) {
    std::span<T> room = NewArray<T>(items.size());
    if (!items.empty()) std::memcpy(room.data(), items.data(), items.size_bytes());
    return room;
  }

 private:
  // Alignments are powers of two; most requests fit the chunk in use.
  void* Allocate(size_t bytes, size_t alignment) {
    size_t padding = (0 - reinterpret_cast<uintptr_t>(next_)) & (alignment - 1);
    if (padding + bytes > left_) padding = NewChunk(bytes, alignment);
    std::byte* start = next_ + padding;
    next_ = start + bytes;
    left_ -= padding + bytes;
    return start;
  }
  // Starts a chunk with room for the request; returns its padding there.
  size_t NewChunk(size_t bytes, size_t alignment);

  std::vector<std::unique_ptr<std::byte[]>> chunks_;
  std::byte* next_ = nullptr;
  size_t left_ = 0;  // bytes free at next_
};
