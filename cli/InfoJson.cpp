#include "cli/InfoJson.h"

#include <unordered_map>

#include "cli/JsonWriter.h"
#include "document/MaterialLookup.h"
#include "document/Core.h"
#include "model/WrittenMaterials.h"

namespace {

struct TTotals {
  long long Meshes = 0, Vertices = 0, Faces = 0;
  void Add(const TMesh* mesh) {
    if (!mesh) return;
    ++Meshes;
    Vertices += mesh->Vertices.Count();
    Faces += mesh->Surfaces.Count();
  }
};

void Materials(TJsonWriter& json, TCore& core) {
  const auto found = MaterialFinder(core);
  json.BeginArray();
  for (const TMaterial* m : WrittenMaterials(*core.Model)) {
    json.BeginObject();
    json.Key("name");
    json.String(m->Name);
    json.Key("found");
    json.Bool(found(m->Name));
    // The size is known only of a material that was read.
    for (const auto& [key, value] : {std::pair{"width", m->Width}, {"height", m->Height}, {"bit_depth", m->BitDepth}}) {
      json.Key(key);
      m->Loaded ? json.Integer(value) : json.Null();
    }
    json.EndObject();
  }
  json.EndArray();
}

void LevelsOfDetail(TJsonWriter& json, const TModel& model) {
  json.BeginObject();
  json.Key("count");
  json.Integer(model.GeosetCount());
  json.Key("current_index");
  json.Integer(model.CurrentGeoset());
  json.Key("sets");
  json.BeginArray();
  for (int set = 0; set < model.GeosetCount(); ++set) {
    TTotals totals;
    for (const TNode* n : model.Nodes) totals.Add(model.GeosetMesh(*n, set));
    json.BeginObject();
    for (const auto& [key, value] :
         {std::pair{"meshes", totals.Meshes}, {"vertices", totals.Vertices}, {"faces", totals.Faces}}) {
      json.Key(key);
      json.Integer(value);
    }
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

void Nodes(TJsonWriter& json, const TModel& model) {
  std::unordered_map<const TNode*, int> index;
  for (int i = 0; i < model.Nodes.Count(); ++i) index[model.Nodes[i]] = i;
  json.BeginArray();
  for (const TNode* n : model.Nodes) {
    json.BeginObject();
    json.Key("name");
    json.String(n->Name);
    json.Key("parent_index");
    n->Parent ? json.Integer(index.at(n->Parent)) : json.Null();
    json.Key("mesh");
    n->Mesh ? json.String(n->Mesh->Name) : json.Null();
    json.Key("vertices");
    json.Integer(n->Mesh ? n->Mesh->Vertices.Count() : 0);
    json.Key("faces");
    json.Integer(n->Mesh ? n->Mesh->Surfaces.Count() : 0);
    json.EndObject();
  }
  json.EndArray();
}

}  // namespace

std::string InfoJson(TCore& core) {
  const TModel& model = *core.Model;
  TTotals totals;
  for (const TNode* n : model.Nodes) totals.Add(n->Mesh.get());
  TJsonWriter json;
  json.BeginObject();
  json.Key("counts");
  json.BeginObject();
  for (const auto& [key, value] : {std::pair<const char*, long long>{"nodes", model.Nodes.Count()},
                                   {"meshes", totals.Meshes},
                                   {"vertices", totals.Vertices},
                                   {"faces", totals.Faces},
                                   {"materials", static_cast<long long>(WrittenMaterials(model).size())}}) {
    json.Key(key);
    json.Integer(value);
  }
  json.EndObject();
  json.Key("radius");
  json.Number(model.Radius);
  json.Key("materials");
  Materials(json, core);
  json.Key("levels_of_detail");
  LevelsOfDetail(json, model);
  json.Key("nodes");
  Nodes(json, model);
  json.EndObject();
  return json.Text();
}
