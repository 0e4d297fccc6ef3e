#include "lang/CmdFields.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

constexpr size_t kWord = sizeof(uint32_t);

size_t RoundedToWords(size_t bytes) { return (bytes + kWord - 1) / kWord * kWord; }

// A field's block holds its payload size in the first word: no field comes
// near 4 GB (a text is at most a line of a file), but the size is checked
// rather than cut.
uint32_t PayloadSizeWord(size_t payloadSize) {
  if (payloadSize > std::numeric_limits<uint32_t>::max() - 2 * kWord)
    throw std::length_error("command field too large");
  return static_cast<uint32_t>(payloadSize);
}

}  // namespace

// ---- The arena -------------------------------------------------------------

std::byte* TFieldArena::Allocate(size_t bytes) {
  bytes = RoundedToWords(bytes);
  // A block larger than a quarter chunk gets a chunk of its own, so that the
  // rest of the shared chunk is not thrown away for it.
  if (bytes > kChunkSize / 4) {
    chunks_.push_back(std::make_unique_for_overwrite<std::byte[]>(bytes));
    return chunks_.back().get();
  }
  if (bytes > freeSize_) {
    chunks_.push_back(std::make_unique_for_overwrite<std::byte[]>(kChunkSize));
    free_ = chunks_.back().get();
    freeSize_ = kChunkSize;
  }
  std::byte* block = free_;
  free_ += bytes;
  freeSize_ -= bytes;
  return block;
}

// ---- The block -------------------------------------------------------------

TPackedField& TPackedField::operator=(const TPackedField& other) {
  if (this != &other) {
    TPackedField copy(other);
    Release();
    bits_ = copy.bits_;
    copy.bits_ = 0;
  }
  return *this;
}

TPackedField& TPackedField::operator=(TPackedField&& other) {
  if (this != &other) {
    TPackedField taken(std::move(other));
    Release();
    bits_ = taken.bits_;
    taken.bits_ = 0;
  }
  return *this;
}

std::byte* TPackedField::MakeBlock(size_t payloadSize, TFieldArena* arena) {
  const uint32_t sizeWord = PayloadSizeWord(payloadSize);
  const size_t bytes = kWord + payloadSize;
  std::byte* block;
  if (arena != nullptr) {
    block = arena->Allocate(bytes);
    bits_ = reinterpret_cast<uintptr_t>(block);
  } else {
    block = static_cast<std::byte*>(::operator new(RoundedToWords(bytes)));
    bits_ = reinterpret_cast<uintptr_t>(block) | kOwned;
  }
  std::memcpy(block, &sizeWord, kWord);
  return block + kWord;
}

void TPackedField::Release() {
  if (bits_ & kOwned) ::operator delete(Block());
  bits_ = 0;
}

void TPackedField::CopyFrom(const TPackedField& other) {
  const size_t size = other.PayloadSize();
  if (size != 0) std::memcpy(MakeBlock(size, nullptr), other.Payload(), size);
}

// An own block changes hands; a block in an arena is copied (see the header).
void TPackedField::TakeFrom(TPackedField& other) {
  if (other.bits_ & kOwned) {
    bits_ = other.bits_;
    other.bits_ = 0;
  } else {
    CopyFrom(other);
    other.bits_ = 0;
  }
}

// ---- Texts -----------------------------------------------------------------

// Payload: count, end offset of each text (from the first character), the
// characters.
void TCmdTexts::Assign(std::initializer_list<std::string_view> head, std::span<const std::string> tail,
                       TFieldArena* arena) {
  const size_t count = head.size() + tail.size();
  if (count == 0) return clear();
  size_t chars = 0;
  for (std::string_view text : head) chars += text.size();
  for (const std::string& text : tail) chars += text.size();
  PayloadSizeWord(chars);
  TCmdTexts fresh;
  std::byte* payload = fresh.MakeBlock(kWord * (1 + count) + chars, arena);
  uint32_t* words = reinterpret_cast<uint32_t*>(payload);
  char* out = reinterpret_cast<char*>(words + 1 + count);
  words[0] = static_cast<uint32_t>(count);
  uint32_t end = 0;
  size_t i = 0;
  auto append = [&](std::string_view text) {
    std::memcpy(out + end, text.data(), text.size());
    end += static_cast<uint32_t>(text.size());
    words[1 + i++] = end;
  };
  for (std::string_view text : head) append(text);
  for (const std::string& text : tail) append(text);
  Swap(fresh);
}

std::string_view TCmdTexts::at(size_t i) const {
  if (i >= size())
    throw std::out_of_range("command text " + std::to_string(i) + " of " + std::to_string(size()));
  return (*this)[i];
}

TCmdTexts::const_iterator TCmdTexts::begin() const { return {this, 0}; }

TCmdTexts::const_iterator TCmdTexts::end() const { return {this, size()}; }

bool operator==(const TCmdTexts& a, const TCmdTexts& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

bool operator==(const TCmdTexts& a, const std::vector<std::string>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// ---- Codes -----------------------------------------------------------------

void TCmdCodes::Assign(std::span<const int32_t> codes, TFieldArena* arena) {
  if (codes.empty()) return clear();
  TCmdCodes fresh;
  std::byte* payload = fresh.MakeBlock(kWord * (1 + codes.size()), arena);
  const uint32_t count = static_cast<uint32_t>(codes.size());
  std::memcpy(payload, &count, kWord);
  std::memcpy(payload + kWord, codes.data(), codes.size_bytes());
  Swap(fresh);
}

bool operator==(const TCmdCodes& a, const TCmdCodes& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

bool operator==(const TCmdCodes& a, const std::vector<int32_t>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// ---- One text --------------------------------------------------------------

void TCmdText::Assign(std::string_view text, TFieldArena* arena) {
  if (text.empty()) return clear();
  TCmdText fresh;
  std::memcpy(fresh.MakeBlock(text.size(), arena), text.data(), text.size());
  Swap(fresh);
}
