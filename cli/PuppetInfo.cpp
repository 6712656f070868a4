#include <cstdio>

#include "cli/CliCommands.h"
#include "cli/JsonWriter.h"
#include "formats/FileKinds.h"
#include "formats/PuppetReader.h"
#include "model/Errors.h"
#include "model/PuppetSummary.h"

namespace {

std::string PuppetJson(const TPuppet& puppet) {
  TJsonWriter json;
  json.BeginObject();
  json.Key("modes");
  json.BeginArray();
  for (const TPuppetMode& mode : puppet.Modes) {
    json.BeginObject();
    json.Key("mode");
    json.Integer(mode.Mode);
    json.Key("based_on");
    mode.BasedOn < 0 ? json.Null() : json.Integer(mode.BasedOn);
    json.Key("submodes");
    json.BeginArray();
    for (const TPuppetSubmode& s : mode.Submodes) {
      json.BeginObject();
      json.Key("name");
      json.String(s.Name);
      json.Key("key");
      json.String(s.Key);
      for (const auto& [key, value] : {std::pair<const char*, long long>{"flags", s.Flags},
                                       {"low_priority", s.LowPriority},
                                       {"high_priority", s.HighPriority}}) {
        json.Key(key);
        json.Integer(value);
      }
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.Key("joints");
  json.BeginArray();
  for (const TPuppetJoint& j : puppet.Joints) {
    json.BeginObject();
    json.Key("body_part");
    json.Integer(j.BodyPart);
    json.Key("node");
    json.Integer(j.Node);
    json.EndObject();
  }
  json.EndArray();
  json.Key("ignored_lines");
  json.Integer(puppet.IgnoredLines);
  json.EndObject();
  return json.Text();
}

}  // namespace

bool IsPuppetArgument(const TArgs& args) {
  return !args.empty() && args.size() <= 2 && IsFileFormat(args.back(), TFileFormat::Puppet);
}

int RunPuppetInfo(const TArgs& args, bool json) {
  TPuppet puppet;
  try {
    if (args.size() == 1) {
      puppet = ReadPuppetFile(args[0]);
    } else {
      TGobItem item;
      if (!FindContainerEntry(args[0], args[1], item)) return 1;
      puppet = ReadPuppetEntry(item);
    }
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  if (json)
    std::printf("%s\n", PuppetJson(puppet).c_str());
  else
    std::fputs(PuppetSummary(puppet).c_str(), stdout);
  return 0;
}
