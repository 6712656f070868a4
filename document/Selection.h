#pragma once
#include <cstdint>
#include <vector>

#include "model/Errors.h"
#include "model/RefList.h"

// An ordered selection with constant-time toggling. Each element records its slot in the
// list (T::SelectionSlot), so there is exactly one selection list per element type: the
// editor core's. Removal leaves a hole that is squeezed out on the next ordered read, which
// keeps toggling a million objects linear. Holes never move the other elements, so their
// slots stay exact. Copy Items() before adding while iterating over it.
template <class T>
class TSelection {
 public:
  int Count() const { return Live; }
  bool Empty() const { return Live == 0; }
  bool Contains(const T* item) const { return item && item->SelectionSlot >= 0; }
  void Add(T* item) {
    if (Contains(item)) return;
    item->SelectionSlot = static_cast<int>(Slots.size());
    Slots.push_back(item);
    ++Live;
    ++Changes;
  }
  void Remove(T* item) {
    if (!Contains(item)) return;
    Slots[static_cast<size_t>(item->SelectionSlot)] = nullptr;
    item->SelectionSlot = -1;
    --Live;
    ++Holes;
    ++Changes;
  }
  void Toggle(T* item) { Contains(item) ? Remove(item) : Add(item); }
  void Clear() {
    for (T* item : Slots)
      if (item) item->SelectionSlot = -1;
    Slots.clear();
    Live = Holes = 0;
    Front = 0;
    ++Changes;
  }
  // Grows with every change, so that a drawing of the selection knows when it is out of date.
  uint64_t Version() const { return Changes; }
  // The selected objects in selection order.
  const std::vector<T*>& Items() const {
    Compact();
    return Slots;
  }
  T* Get(int index) const {
    if (index < 0 || index >= Live) RaiseListError(ListMessage<T>::Text, index);
    return Items()[static_cast<size_t>(index)];
  }
  // Skips the holes at the front without squeezing the list, so asking for the first object
  // after each toggle stays cheap however many objects are selected.
  T* First() const {
    if (!Live) return nullptr;
    while (!Slots[Front]) ++Front;
    return Slots[Front];
  }
  auto begin() const { return Items().begin(); }
  auto end() const { return Items().end(); }

 private:
  void Compact() const {
    if (Holes == 0) return;
    size_t w = 0;
    for (T* item : Slots)
      if (item) {
        item->SelectionSlot = static_cast<int>(w);
        Slots[w++] = item;
      }
    Slots.resize(w);
    Holes = 0;
    Front = 0;
  }
  mutable std::vector<T*> Slots;
  mutable int Holes = 0;
  mutable size_t Front = 0;  // no live object lies before this slot
  int Live = 0;
  uint64_t Changes = 0;
};
