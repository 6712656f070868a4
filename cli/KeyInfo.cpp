#include <cstdio>

#include "formats/FileKinds.h"
#include "cli/CliCommands.h"
#include "cli/JsonWriter.h"
#include "formats/KeyReader.h"
#include "model/Errors.h"
#include "model/KeySummary.h"
#include "model/Text.h"

namespace {

std::string KeyJson(const TKeyAnimation& key) {
  TJsonWriter json;
  json.BeginObject();
  json.Key("flags");
  json.Integer(key.Flags);
  json.Key("type");
  json.Integer(key.Type);
  json.Key("frames");
  json.Integer(key.Frames);
  json.Key("fps");
  json.Number(key.Fps);
  json.Key("joints");
  json.Integer(key.Joints);
  json.Key("markers");
  json.BeginArray();
  for (const TKeyMarker& m : key.Markers) {
    json.BeginObject();
    json.Key("frame");
    json.Number(m.Frame);
    json.Key("type");
    json.Integer(m.Type);
    json.EndObject();
  }
  json.EndArray();
  json.Key("nodes");
  json.BeginArray();
  for (const TKeyNode& n : key.Nodes) {
    json.BeginObject();
    json.Key("index");
    json.Integer(n.Index);
    json.Key("mesh_name");
    json.String(n.MeshName);
    json.Key("entries");
    json.Integer(static_cast<long long>(n.Entries.size()));
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return json.Text();
}

}  // namespace

bool IsKeyArgument(const TArgs& args) {
  return !args.empty() && args.size() <= 2 && IsFileFormat(args.back(), TFileFormat::Animation);
}

int RunKeyInfo(const TArgs& args, bool json) {
  TKeyAnimation key;
  try {
    if (args.size() == 1) {
      key = ReadKeyFile(args[0]);
    } else {
      TGobItem item;
      if (!FindContainerEntry(args[0], args[1], item)) return 1;
      key = ReadKeyEntry(item);
    }
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  if (json) {
    std::printf("%s\n", KeyJson(key).c_str());
    return 0;
  }
  std::fputs(KeySummary(key).c_str(), stdout);
  return 0;
}
