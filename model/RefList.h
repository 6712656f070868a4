#pragma once
#include <algorithm>
#include <vector>

#include "model/Errors.h"

// The index-error message of each element type's list.
template <class T>
struct ListMessage;

// An ordered list of references. It never frees its elements; lists that own theirs are
// TOwnedList. The store is any vector of T*; a face's corners keep theirs inline.
template <class T, class Store = std::vector<T*>>
class TRefList {
 public:
  int Count() const { return static_cast<int>(Items.size()); }
  bool Empty() const { return Items.empty(); }
  T* Get(int index) const {
    if (index < 0 || index >= Count()) RaiseListError(ListMessage<T>::Text, index);
    return Items[static_cast<size_t>(index)];
  }
  T* operator[](int index) const { return Items[static_cast<size_t>(index)]; }
  int Add(T* item) {
    Items.push_back(item);
    return Count() - 1;
  }
  void Insert(int index, T* item) {
    if (index < 0 || index > Count()) RaiseListError(ListMessage<T>::Text, index);
    Items.insert(Items.begin() + index, item);
  }
  void Delete(int index) {
    if (index < 0 || index >= Count()) RaiseListError(ListMessage<T>::Text, index);
    Items.erase(Items.begin() + index);
  }
  int IndexOf(const T* item) const {
    const auto it = std::find(Items.begin(), Items.end(), item);
    return it == Items.end() ? -1 : static_cast<int>(it - Items.begin());
  }
  bool Contains(const T* item) const { return IndexOf(item) >= 0; }
  int Remove(const T* item) {
    const int index = IndexOf(item);
    if (index >= 0) Items.erase(Items.begin() + index);
    return index;
  }
  void Clear() { Items.clear(); }
  void Reserve(size_t n) { Items.reserve(n); }
  T* First() const { return Items.empty() ? nullptr : Items.front(); }
  T* Last() const { return Items.empty() ? nullptr : Items.back(); }

  auto begin() const { return Items.begin(); }
  auto end() const { return Items.end(); }
  Store& Raw() { return Items; }
  const Store& Raw() const { return Items; }

 private:
  Store Items;
};
