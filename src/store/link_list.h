#pragma once

#include <cstdint>

namespace korvane {

// The record numbers a record links to (spouse families, parent families, children,
// merged records), in file order. Owned by its record; up to two entries live inline,
// longer lists on the heap. There is no limit on the length: an append never drops a link.
class LinkList {
 public:
  LinkList() = default;
  LinkList(const LinkList& other);
  LinkList(LinkList&& other) noexcept;
  LinkList& operator=(const LinkList& other);
  LinkList& operator=(LinkList&& other) noexcept;
  ~LinkList();

  int Count() const { return count_; }
  bool Empty() const { return count_ == 0; }

  // Entry `i`, bounds-tested: a bad index is reported through the list fault handler
  // and the first entry (0 for an empty list) is read instead.
  std::int32_t At(int i) const;

  // Replaces entry `i` (bounds-tested like At).
  void Set(int i, std::int32_t value);

  const std::int32_t* begin() const { return Data(); }
  const std::int32_t* end() const { return Data() + count_; }

  // Replaces every entry by `change(entry)`, in order.
  template <typename Change>
  void Transform(Change change) {
    std::int32_t* data = Data();
    for (int i = 0; i < count_; ++i) data[i] = change(data[i]);
  }

 private:
  friend void ListAppend(LinkList& list, std::int32_t value);
  friend void ListRemove(LinkList& list, std::int32_t value);
  friend void ListRemoveAt(LinkList& list, int i);

  static constexpr int kInlineCapacity = 2;

  bool OnHeap() const { return capacity_ > kInlineCapacity; }
  std::int32_t* Data() { return OnHeap() ? heap_ : inline_; }
  const std::int32_t* Data() const { return OnHeap() ? heap_ : inline_; }
  void Release();
  void TakeFrom(LinkList& other);

  union {
    std::int32_t* heap_;
    std::int32_t inline_[kInlineCapacity] = {0, 0};
  };
  std::int32_t count_ = 0;
  std::int32_t capacity_ = kInlineCapacity;
};

void ListAppend(LinkList& list, std::int32_t value);
// Removes occurrences of `value` walking forward; the entry that moves into a removed
// entry's place is not examined, so of two equal neighbours only the first goes.
void ListRemove(LinkList& list, std::int32_t value);
// Removes entry `i` (bounds-tested like At: a bad index removes nothing); the entries
// behind it move up by one.
void ListRemoveAt(LinkList& list, int i);
bool ListContains(const LinkList& list, std::int32_t value);

// Bad list indexes are programming faults; they are reported, not fatal. Handlers are
// per thread, so a fault on a worker thread never reaches a window of the UI thread. The
// most recently installed handler that still lives gets the report, whatever order the
// handlers end in.
using ListFaultHandler = void (*)(void* context, int index, int count);
class ScopedListFaultHandler {
 public:
  ScopedListFaultHandler(ListFaultHandler handler, void* context);
  ~ScopedListFaultHandler();
  ScopedListFaultHandler(const ScopedListFaultHandler&) = delete;
  ScopedListFaultHandler& operator=(const ScopedListFaultHandler&) = delete;
};

}  // namespace korvane
