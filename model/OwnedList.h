#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "model/Errors.h"
#include "model/RefList.h"

// An ordered list that owns its elements: whatever leaves it through Delete, RemoveIf or
// Clear is freed, and Extract hands ownership to the caller. Reading it looks like a
// TRefList: indexes, Get with the element type's index error, iteration over plain pointers.
template <class T>
class TOwnedList {
  using Store = std::vector<std::unique_ptr<T>>;

 public:
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = T*;
    using difference_type = std::ptrdiff_t;
    using pointer = T* const*;
    using reference = T*;

    const_iterator() = default;
    explicit const_iterator(typename Store::const_iterator at) : At(at) {}
    T* operator*() const { return At->get(); }
    T* operator[](difference_type n) const { return At[n].get(); }
    const_iterator& operator++() {
      ++At;
      return *this;
    }
    const_iterator operator++(int) { return const_iterator(At++); }
    const_iterator& operator--() {
      --At;
      return *this;
    }
    const_iterator& operator+=(difference_type n) {
      At += n;
      return *this;
    }
    const_iterator operator+(difference_type n) const { return const_iterator(At + n); }
    const_iterator operator-(difference_type n) const { return const_iterator(At - n); }
    difference_type operator-(const const_iterator& other) const { return At - other.At; }
    bool operator==(const const_iterator& other) const { return At == other.At; }
    auto operator<=>(const const_iterator& other) const { return At <=> other.At; }

   private:
    typename Store::const_iterator At;
  };

  int Count() const { return static_cast<int>(Items.size()); }
  bool Empty() const { return Items.empty(); }
  T* Get(int index) const {
    Check(index);
    return Items[static_cast<size_t>(index)].get();
  }
  T* operator[](int index) const { return Items[static_cast<size_t>(index)].get(); }
  T* First() const { return Items.empty() ? nullptr : Items.front().get(); }
  T* Last() const { return Items.empty() ? nullptr : Items.back().get(); }
  int IndexOf(const T* item) const {
    for (size_t i = 0; i < Items.size(); ++i)
      if (Items[i].get() == item) return static_cast<int>(i);
    return -1;
  }
  bool Contains(const T* item) const { return IndexOf(item) >= 0; }

  T* Add(std::unique_ptr<T> item) {
    Items.push_back(std::move(item));
    return Items.back().get();
  }
  void Delete(int index) {
    Check(index);
    Items.erase(Items.begin() + index);
  }
  std::unique_ptr<T> Extract(int index) {
    Check(index);
    std::unique_ptr<T> item = std::move(Items[static_cast<size_t>(index)]);
    Items.erase(Items.begin() + index);
    return item;
  }
  // Frees every element the predicate picks, keeping the order of the rest, in one pass.
  template <class Pred>
  void RemoveIf(Pred doomed) {
    std::erase_if(Items, [&](const std::unique_ptr<T>& item) { return doomed(item.get()); });
  }
  // Hands every element over, in order, leaving the list empty.
  Store ExtractAll() { return std::exchange(Items, {}); }
  void Clear() { Items.clear(); }
  void Reserve(size_t n) { Items.reserve(n); }

  // A plain list of the elements, for passes that take one.
  std::vector<T*> Pointers() const {
    std::vector<T*> list;
    list.reserve(Items.size());
    for (const std::unique_ptr<T>& item : Items) list.push_back(item.get());
    return list;
  }

  const_iterator begin() const { return const_iterator(Items.begin()); }
  const_iterator end() const { return const_iterator(Items.end()); }

 private:
  void Check(int index) const {
    if (index < 0 || index >= Count()) RaiseListError(ListMessage<T>::Text, index);
  }
  Store Items;
};
