// The compact field types of the command object: its texts (Args), its
// option codes (Options) and its condition text (Condition).
//
// A large command file is parsed into one object per command, all kept
// until the run ends, so what one object costs decides how much memory a
// parse touches. Each field here is one word: the address of one block that
// holds the whole list packed (a length, then the entries one after another).
// The block is either the field's own heap block, or room in the field
// arena of the parse that made the command: a parse packs all the fields of
// its commands into a few large chunks, without a heap block or a free per
// text, and releases them together.
//
// A block in an arena is only ever referred to by a field of an object that
// the same arena holds (the construction forms see to that), so the arena
// lives as long as the field. Every copy and every move of a field makes a
// block of its own, so a field taken out of such an object never refers to
// an arena that it does not keep alive. A field is changed only by giving it
// new contents as a whole; the entries read back as string views (texts) or
// integers (codes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// Room for packed fields, handed out in order from large chunks and
/// released only with the arena.
class TFieldArena {
 public:
  /// `bytes` bytes aligned for 32-bit integers.
  std::byte* Allocate(size_t bytes);

 private:
  static constexpr size_t kChunkSize = 64 * 1024;
  std::vector<std::unique_ptr<std::byte[]>> chunks_;
  std::byte* free_ = nullptr;  // the unused end of the last shared chunk
  size_t freeSize_ = 0;
};

/// The block of one packed field: empty, its own heap block, or room in an
/// arena. The block starts with its payload size; copies and moves always
/// make an own block (see above).
class TPackedField {
 public:
  TPackedField() = default;
  TPackedField(const TPackedField& other) { CopyFrom(other); }
  TPackedField(TPackedField&& other) { TakeFrom(other); }
  TPackedField& operator=(const TPackedField& other);
  TPackedField& operator=(TPackedField&& other);
  ~TPackedField() { Release(); }

  void clear() { Release(); }

 protected:
  /// Gives this empty field a block of `payloadSize` (> 0) bytes, in the
  /// arena when one is given, and returns its payload. New contents are built
  /// in a fresh field and then swapped in, so that they may be made from
  /// views of the old ones.
  std::byte* MakeBlock(size_t payloadSize, TFieldArena* arena);
  void Swap(TPackedField& other) noexcept { std::swap(bits_, other.bits_); }
  /// The payload, nullptr when empty.
  const std::byte* Payload() const {
    return bits_ == 0 ? nullptr : reinterpret_cast<const std::byte*>(Block() + 1);
  }
  size_t PayloadSize() const { return bits_ == 0 ? 0 : *Block(); }
  /// The first word of the payload (a count), 0 when empty.
  size_t FirstWord() const { return bits_ == 0 ? 0 : Block()[1]; }

 private:
  static constexpr uintptr_t kOwned = 1;
  uint32_t* Block() const { return reinterpret_cast<uint32_t*>(bits_ & ~kOwned); }
  void Release();
  void CopyFrom(const TPackedField& other);
  void TakeFrom(TPackedField& other);

  uintptr_t bits_ = 0;  // the block's address, kOwned set when it is ours
};

/// A list of texts, packed: the count, the end offset of each text, then the
/// characters of all of them.
class TCmdTexts : public TPackedField {
 public:
  class const_iterator;
  using iterator = const_iterator;
  using value_type = std::string_view;

  TCmdTexts() = default;
  TCmdTexts(std::initializer_list<std::string_view> texts) { Assign(texts, {}, nullptr); }

  /// Packs `head` and then `tail`, in the arena when one is given.
  void Assign(std::initializer_list<std::string_view> head, std::span<const std::string> tail,
              TFieldArena* arena);

  size_t size() const { return FirstWord(); }
  bool empty() const { return size() == 0; }
  std::string_view operator[](size_t i) const {
    const uint32_t* ends = reinterpret_cast<const uint32_t*>(Payload()) + 1;
    const char* chars = reinterpret_cast<const char*>(ends + size());
    const uint32_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(chars + begin, ends[i] - begin);
  }
  /// Throws std::out_of_range past the end.
  std::string_view at(size_t i) const;
  const_iterator begin() const;
  const_iterator end() const;

  friend bool operator==(const TCmdTexts& a, const TCmdTexts& b);
  friend bool operator==(const TCmdTexts& a, const std::vector<std::string>& b);
};

class TCmdTexts::const_iterator {
 public:
  using value_type = std::string_view;
  using difference_type = std::ptrdiff_t;
  const_iterator() = default;
  const_iterator(const TCmdTexts* texts, size_t index) : texts_(texts), index_(index) {}
  std::string_view operator*() const { return (*texts_)[index_]; }
  const_iterator& operator++() {
    ++index_;
    return *this;
  }
  const_iterator operator++(int) { return {texts_, index_++}; }
  bool operator==(const const_iterator& other) const = default;

 private:
  const TCmdTexts* texts_ = nullptr;
  size_t index_ = 0;
};

/// A list of 32-bit codes, packed: the count, then the codes.
class TCmdCodes : public TPackedField {
 public:
  TCmdCodes() = default;
  TCmdCodes(std::initializer_list<int32_t> codes) { Assign(codes, nullptr); }
  TCmdCodes(const std::vector<int32_t>& codes) { Assign(codes, nullptr); }

  /// Packs the codes, in the arena when one is given.
  void Assign(std::span<const int32_t> codes, TFieldArena* arena);

  size_t size() const { return FirstWord(); }
  bool empty() const { return size() == 0; }
  const int32_t* data() const {
    const std::byte* payload = Payload();
    return payload == nullptr ? nullptr : reinterpret_cast<const int32_t*>(payload) + 1;
  }
  const int32_t* begin() const { return data(); }
  const int32_t* end() const { return data() + size(); }
  int32_t operator[](size_t i) const { return data()[i]; }

  friend bool operator==(const TCmdCodes& a, const TCmdCodes& b);
  friend bool operator==(const TCmdCodes& a, const std::vector<int32_t>& b);
};

/// One text, packed: its characters.
class TCmdText : public TPackedField {
 public:
  TCmdText() = default;
  TCmdText(std::string_view text) { Assign(text, nullptr); }
  TCmdText(const std::string& text) { Assign(text, nullptr); }
  TCmdText(const char* text) { Assign(text, nullptr); }

  /// Packs the text, in the arena when one is given.
  void Assign(std::string_view text, TFieldArena* arena);

  std::string_view view() const {
    return std::string_view(reinterpret_cast<const char*>(Payload()), PayloadSize());
  }
  std::string str() const { return std::string(view()); }
  operator std::string_view() const { return view(); }
  size_t size() const { return PayloadSize(); }
  bool empty() const { return size() == 0; }

  friend bool operator==(const TCmdText& a, std::string_view b) { return a.view() == b; }
};
