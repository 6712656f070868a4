#include "formats/GltfAccessors.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/Errors.h"

namespace {

// Most elements of an accessor without data, all zero: a file cannot mean more.
constexpr size_t kMostZeroElements = 1 << 16;

[[noreturn]] void Fail(const std::string& what, const std::string& why) {
  throw EParserError(what + ": " + why);
}

int ComponentsOf(int type) {
  switch (type) {
    case TINYGLTF_TYPE_SCALAR:
      return 1;
    case TINYGLTF_TYPE_VEC2:
      return 2;
    case TINYGLTF_TYPE_VEC3:
      return 3;
    case TINYGLTF_TYPE_VEC4:
      return 4;
    case TINYGLTF_TYPE_MAT4:
      return 16;
    default:
      return 0;
  }
}

size_t BytesOf(int componentType) {
  switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_BYTE:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
      return 1;
    case TINYGLTF_COMPONENT_TYPE_SHORT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
      return 2;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
    case TINYGLTF_COMPONENT_TYPE_FLOAT:
      return 4;
    default:
      return 0;
  }
}

// One component at `p`, as the accessor's type and normalization say.
double Component(const unsigned char* p, int type, bool normalized) {
  switch (type) {
    case TINYGLTF_COMPONENT_TYPE_BYTE: {
      const double v = static_cast<int8_t>(*p);
      return normalized ? std::max(v / 127.0, -1.0) : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
      return normalized ? *p / 255.0 : *p;
    case TINYGLTF_COMPONENT_TYPE_SHORT: {
      int16_t v;
      std::memcpy(&v, p, 2);
      return normalized ? std::max(v / 32767.0, -1.0) : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
      uint16_t v;
      std::memcpy(&v, p, 2);
      return normalized ? v / 65535.0 : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: {
      uint32_t v;
      std::memcpy(&v, p, 4);
      return v;
    }
    default: {
      float v;
      std::memcpy(&v, p, 4);
      return v;
    }
  }
}

// Where `count` elements of `element` bytes lie in a buffer view, from `offset` on; the view's
// stride apart, or packed where the view gives none.
struct TSpan {
  const unsigned char* Base = nullptr;
  size_t Stride = 0;
};

TSpan Locate(const tinygltf::Model& gltf, long long viewIndex, long long offset, size_t count,
             size_t element, const std::string& name) {
  if (viewIndex < 0 || static_cast<unsigned long long>(viewIndex) >= gltf.bufferViews.size())
    Fail(name, "no buffer view " + std::to_string(viewIndex));
  const tinygltf::BufferView& view = gltf.bufferViews[static_cast<size_t>(viewIndex)];
  if (view.buffer < 0 || static_cast<size_t>(view.buffer) >= gltf.buffers.size())
    Fail(name, "no buffer " + std::to_string(view.buffer));
  const std::vector<unsigned char>& data = gltf.buffers[static_cast<size_t>(view.buffer)].data;
  if (view.byteOffset > data.size() || view.byteLength > data.size() - view.byteOffset)
    Fail(name, "its buffer view reaches beyond its buffer");
  const size_t stride = view.byteStride ? view.byteStride : element;
  if (stride < element) Fail(name, "its stride is shorter than an element");
  const auto at = static_cast<size_t>(offset);
  if (offset < 0 || (count > 0 && (at > view.byteLength || (count - 1) > (view.byteLength - at) / stride ||
                                   at + (count - 1) * stride + element > view.byteLength)))
    Fail(name, "reaches beyond its buffer view");
  return {data.data() + view.byteOffset + at, stride};
}

// The elements a sparse accessor puts in place of its base ones: their indices, checked to
// rise and to stay below the accessor's count, and where their values lie.
struct TSparse {
  std::vector<size_t> Indices;
  TSpan Values;
};

TSparse ReadSparse(const tinygltf::Model& gltf, const tinygltf::Accessor& a, size_t element,
                   const std::string& name) {
  const auto& sparse = a.sparse;
  if (sparse.count < 1 || static_cast<size_t>(sparse.count) > a.count)
    Fail(name, "replaces " + std::to_string(sparse.count) + " of its " + std::to_string(a.count) + " elements");
  const int type = sparse.indices.componentType;
  if (type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE && type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT &&
      type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT)
    Fail(name, "its sparse indices are of component type " + std::to_string(type) + ", not unsigned");
  const auto count = static_cast<size_t>(sparse.count);
  const TSpan indices = Locate(gltf, sparse.indices.bufferView, sparse.indices.byteOffset, count,
                               BytesOf(type), name + ", sparse indices");
  TSparse out{{}, Locate(gltf, sparse.values.bufferView, sparse.values.byteOffset, count, element,
                         name + ", sparse values")};
  out.Indices.reserve(count);
  for (size_t k = 0; k < count; ++k) {
    const auto index = static_cast<size_t>(Component(indices.Base + k * indices.Stride, type, false));
    if (index >= a.count || (k > 0 && index <= out.Indices.back()))
      Fail(name, "sparse index " + std::to_string(k) + " (" + std::to_string(index) +
                     ") is not above the one before it and below " + std::to_string(a.count));
    out.Indices.push_back(index);
  }
  return out;
}

// Calls `take(element, component, value)` for every component of the accessor.
template <class F>
void Walk(const tinygltf::Model& gltf, int index, int components, const std::string& what, F take) {
  if (index < 0 || static_cast<size_t>(index) >= gltf.accessors.size())
    Fail(what, "no accessor " + std::to_string(index));
  const tinygltf::Accessor& a = gltf.accessors[static_cast<size_t>(index)];
  const std::string name = what + " (accessor " + std::to_string(index) + ")";
  if (ComponentsOf(a.type) != components)
    Fail(name, "holds " + std::to_string(ComponentsOf(a.type)) + " components an element, not " +
                   std::to_string(components));
  const size_t bytes = BytesOf(a.componentType);
  if (bytes == 0)
    Fail(name, "component type " + std::to_string(a.componentType) + " is not glTF's");
  if (a.count > kGltfMostNumbers / static_cast<size_t>(components))
    Fail(name, std::to_string(a.count) + " elements, more than this program reads");
  const size_t element = bytes * static_cast<size_t>(components);
  // No data: every element is zero but those a sparse accessor gives.
  if (a.bufferView < 0 && a.count > kMostZeroElements)
    Fail(name, "holds no data for its " + std::to_string(a.count) + " elements");
  const TSpan base = a.bufferView < 0 ? TSpan{} : Locate(gltf, a.bufferView, static_cast<long long>(a.byteOffset),
                                                         a.count, element, name);
  const TSparse sparse = a.sparse.isSparse ? ReadSparse(gltf, a, element, name) : TSparse{};
  size_t next = 0;  // the next of the sparse elements
  for (size_t e = 0; e < a.count; ++e) {
    const unsigned char* p = base.Base ? base.Base + e * base.Stride : nullptr;
    if (next < sparse.Indices.size() && sparse.Indices[next] == e) p = sparse.Values.Base + next++ * sparse.Values.Stride;
    for (int c = 0; c < components; ++c)
      take(e, c, p ? Component(p + static_cast<size_t>(c) * bytes, a.componentType, a.normalized) : 0.0);
  }
}

}  // namespace

std::vector<double> ReadNumbers(const tinygltf::Model& gltf, int accessor, int components,
                                const std::string& what) {
  std::vector<double> numbers;
  Walk(gltf, accessor, components, what, [&](size_t e, int, double v) {
    if (!std::isfinite(v)) Fail(what, "element " + std::to_string(e) + " is not a finite number");
    numbers.push_back(v);
  });
  return numbers;
}

std::vector<uint32_t> ReadIndices(const tinygltf::Model& gltf, int accessor, size_t vertices,
                                  const std::string& what) {
  std::vector<uint32_t> indices;
  Walk(gltf, accessor, 1, what, [&](size_t e, int, double v) {
    if (!(v >= 0 && v < static_cast<double>(vertices)))
      Fail(what, "index " + std::to_string(e) + " is not one of the " + std::to_string(vertices) +
                     " vertices");
    indices.push_back(static_cast<uint32_t>(v));
  });
  return indices;
}
