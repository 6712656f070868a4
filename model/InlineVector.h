#pragma once
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <type_traits>

// A vector of plain values that holds its first N in itself. A face's corners are three or
// four: kept in the face, a mesh of a million faces makes no two million small blocks, which
// cost both their heap headers and, on this kind of machine, the time to fault their pages in.
// Holds only values that copy as bytes, so growing and shifting are plain memory moves.
template <class T, uint32_t N>
class TInlineVector {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
  static_assert(N > 0);

 public:
  using value_type = T;
  using iterator = T*;
  using const_iterator = const T*;

  TInlineVector() = default;
  TInlineVector(const TInlineVector& other) { Assign(other); }
  TInlineVector(TInlineVector&& other) noexcept { Take(other); }
  TInlineVector& operator=(const TInlineVector& other) {
    if (this != &other) {
      clear();
      Assign(other);
    }
    return *this;
  }
  TInlineVector& operator=(TInlineVector&& other) noexcept {
    if (this != &other) {
      Free();
      Take(other);
    }
    return *this;
  }
  ~TInlineVector() { Free(); }

  size_t size() const { return Size; }
  bool empty() const { return Size == 0; }
  size_t capacity() const { return Capacity; }
  T* data() { return OnHeap() ? Store.Heap : Store.Inline; }
  const T* data() const { return OnHeap() ? Store.Heap : Store.Inline; }
  T& operator[](size_t i) { return data()[i]; }
  const T& operator[](size_t i) const { return data()[i]; }
  T& front() { return data()[0]; }
  const T& front() const { return data()[0]; }
  T& back() { return data()[Size - 1]; }
  const T& back() const { return data()[Size - 1]; }
  iterator begin() { return data(); }
  iterator end() { return data() + Size; }
  const_iterator begin() const { return data(); }
  const_iterator end() const { return data() + Size; }

  void reserve(size_t n) {
    if (n > Capacity) Grow(n);
  }
  void push_back(const T& value) {
    if (Size == Capacity) {
      const T copy = value;  // the value may live in this vector
      Grow(size_t{Capacity} * 2);
      data()[Size++] = copy;
    } else {
      data()[Size++] = value;
    }
  }
  iterator insert(const_iterator at, const T& value) {
    const size_t index = static_cast<size_t>(at - data());
    const T copy = value;
    if (Size == Capacity) Grow(size_t{Capacity} * 2);
    T* items = data();
    std::memmove(items + index + 1, items + index, (Size - index) * sizeof(T));
    items[index] = copy;
    ++Size;
    return items + index;
  }
  iterator erase(const_iterator at) {
    const size_t index = static_cast<size_t>(at - data());
    T* items = data();
    std::memmove(items + index, items + index + 1, (Size - index - 1) * sizeof(T));
    --Size;
    return items + index;
  }
  void clear() { Size = 0; }

 private:
  bool OnHeap() const { return Capacity > N; }
  void Grow(size_t wanted) {
    if (wanted > UINT32_MAX) throw std::length_error("list too long");
    T* bigger = new T[wanted];
    std::memcpy(bigger, data(), Size * sizeof(T));
    Free();
    Store.Heap = bigger;
    Capacity = static_cast<uint32_t>(wanted);
  }
  void Free() {
    if (OnHeap()) delete[] Store.Heap;
    Capacity = N;
  }
  void Assign(const TInlineVector& other) {
    reserve(other.Size);
    std::memcpy(data(), other.data(), other.Size * sizeof(T));
    Size = other.Size;
  }
  void Take(TInlineVector& other) {
    Size = other.Size;
    Capacity = other.Capacity;
    if (other.OnHeap())
      Store.Heap = other.Store.Heap;
    else
      std::memcpy(Store.Inline, other.Store.Inline, Size * sizeof(T));
    other.Size = 0;
    other.Capacity = N;
  }

  uint32_t Size = 0;
  uint32_t Capacity = N;
  // Left unset until used: values such as texture coordinates set their own defaults.
  union TStore {
    TStore() {}
    T Inline[N];
    T* Heap;
  } Store;
};
