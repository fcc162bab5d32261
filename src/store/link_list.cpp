#include "store/link_list.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace korvane {
namespace {

void PrintListFault(void*, int index, int count) {
  std::fprintf(stderr, "Error: [%d] %d\n", index, count);
}

struct InstalledHandler {
  const ScopedListFaultHandler* owner;
  ListFaultHandler handler;
  void* context;
};
thread_local std::vector<InstalledHandler> installedHandlers;

void ReportListFault(int index, int count) {
  if (installedHandlers.empty()) {
    PrintListFault(nullptr, index, count);
  } else {
    installedHandlers.back().handler(installedHandlers.back().context, index, count);
  }
}

}  // namespace

LinkList::LinkList(const LinkList& other) {
  for (std::int32_t value : other) ListAppend(*this, value);
}

LinkList::LinkList(LinkList&& other) noexcept { TakeFrom(other); }

LinkList& LinkList::operator=(const LinkList& other) {
  if (this != &other) {
    LinkList copy(other);
    *this = std::move(copy);
  }
  return *this;
}

LinkList& LinkList::operator=(LinkList&& other) noexcept {
  if (this != &other) {
    Release();
    TakeFrom(other);
  }
  return *this;
}

LinkList::~LinkList() { Release(); }

void LinkList::TakeFrom(LinkList& other) {
  count_ = other.count_;
  capacity_ = other.capacity_;
  if (other.OnHeap()) {
    heap_ = other.heap_;
  } else {
    std::copy(other.inline_, other.inline_ + kInlineCapacity, inline_);
  }
  other.count_ = 0;
  other.capacity_ = kInlineCapacity;
}

void LinkList::Release() {
  if (OnHeap()) delete[] heap_;
  capacity_ = kInlineCapacity;
  count_ = 0;
}

std::int32_t LinkList::At(int i) const {
  if (i < 0 || i >= count_) {
    ReportListFault(i, count_);
    return count_ > 0 ? Data()[0] : 0;
  }
  return Data()[i];
}

void LinkList::Set(int i, std::int32_t value) {
  if (i < 0 || i >= count_) {
    ReportListFault(i, count_);
    return;
  }
  Data()[i] = value;
}

void ListAppend(LinkList& list, std::int32_t value) {
  if (list.count_ == list.capacity_) {
    const std::int32_t capacity = list.capacity_ * 2;
    auto* grown = new std::int32_t[capacity];
    std::copy(list.begin(), list.end(), grown);
    const std::int32_t count = list.count_;
    list.Release();
    list.heap_ = grown;
    list.capacity_ = capacity;
    list.count_ = count;
  }
  list.Data()[list.count_++] = value;
}

void ListRemove(LinkList& list, std::int32_t value) {
  std::int32_t* data = list.Data();
  for (int i = 0; i < list.count_; ++i) {
    if (data[i] == value) {
      std::copy(data + i + 1, data + list.count_, data + i);
      --list.count_;
    }
  }
}

void ListRemoveAt(LinkList& list, int i) {
  if (i < 0 || i >= list.count_) {
    ReportListFault(i, list.count_);
    return;
  }
  std::int32_t* data = list.Data();
  std::copy(data + i + 1, data + list.count_, data + i);
  --list.count_;
}

bool ListContains(const LinkList& list, std::int32_t value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

ScopedListFaultHandler::ScopedListFaultHandler(ListFaultHandler handler, void* context) {
  installedHandlers.push_back({this, handler, context});
}

ScopedListFaultHandler::~ScopedListFaultHandler() {
  std::erase_if(installedHandlers, [this](const InstalledHandler& h) { return h.owner == this; });
}

}  // namespace korvane
