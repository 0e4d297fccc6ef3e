#include "lang/ScriptArena.h"

#include <algorithm>

namespace {

// Large enough that a script of 100,000 lines takes a few hundred chunks;
// a larger request gets a chunk of its own.
constexpr size_t kChunkBytes = 64 * 1024;

}  // namespace

std::string_view TScriptArena::Text(std::string_view text) {
  if (text.empty()) return {};
  auto* room = static_cast<char*>(Allocate(text.size(), 1));
  std::memcpy(room, text.data(), text.size());
  return {room, text.size()};
}

size_t TScriptArena::NewChunk(size_t bytes, size_t alignment) {
  const size_t size = std::max(bytes + alignment, kChunkBytes);
  chunks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
  next_ = chunks_.back().get();
  left_ = size;
  return (0 - reinterpret_cast<uintptr_t>(next_)) & (alignment - 1);
}
