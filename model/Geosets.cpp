#include "model/Model.h"

TMesh* TModel::GeosetMesh(const TNode& node, int set) const {
  return set == Current ? node.Mesh.get() : nullptr;
}
