#include <cstdio>

#include "cli/CliCommands.h"
#include "cli/InfoJson.h"
#include "model/WrittenMaterials.h"

int RunInfo(const TArgs& given) {
  TArgs args = given;
  TCliSession session;
  const bool json = TakeFlag(args, "--json");
  if (!TakeObjOptions(args, session.ObjOptions)) return 2;
  if (!NoOptionsLeft(args, "info")) return 2;
  if (IsKeyArgument(args)) return RunKeyInfo(args, json);
  if (IsPuppetArgument(args)) return RunPuppetInfo(args, json);
  if (args.size() != 1 && args.size() != 2) {
    Tell("usage: zarn-cli info [--json] FILE.3do|FILE.obj|FILE.glb|FILE.gltf|FILE.key|FILE.pup\n"
         "       info [--json] CONTAINER ENTRY\n"
         "       with FILE.obj: [--up y|z] [--scale F|fit] [--materials]");
    return 2;
  }
  if (!(args.size() == 1 ? session.Open(args[0]) : session.OpenEntry(args[0], args[1]))) return 1;
  if (json) {
    std::printf("%s\n", InfoJson(session.Core).c_str());
    return 0;
  }
  const TModel& model = *session.Core.Model;
  long long meshes = 0, vertices = 0, faces = 0;
  for (const TNode* n : model.Nodes) {
    if (!n->Mesh) continue;
    ++meshes;
    vertices += n->Mesh->Vertices.Count();
    faces += n->Mesh->Surfaces.Count();
  }
  std::printf("nodes: %d\nmeshes: %lld\nvertices: %lld\nfaces: %lld\nmaterials: %d\nradius: %s\n",
              model.Nodes.Count(), meshes, vertices, faces, static_cast<int>(WrittenMaterials(model).size()),
              FormatFloat6(model.Radius).c_str());
  return 0;
}
