// zarn-cli edit: runs editing commands on a model, as the menus would, without windows.
#include <algorithm>
#include <exception>
#include <functional>
#include <set>
#include <stdexcept>

#include "editing/ActionTable.h"
#include "cli/CliCommands.h"
#include "editing/FileCommands.h"
#include "document/MaterialLookup.h"
#include "cli/EditSteps.h"
#include "cli/TextureSteps.h"
#include "editing/Actions.h"
#include "editing/LevelsOfDetail.h"
#include "editing/MaterialEdits.h"
#include "editing/PropertyFields.h"
#include "editing/Step.h"
#include "editing/ToolEdits.h"
#include "formats/FileIO.h"
#include "model/Convert.h"
#include "model/Errors.h"

namespace {

// A paste file stands for the clipboard, whose text the paste command takes whole (as the
// desktop's clipboard hands it over), so it is bounded like clipboard text rather than read
// in blocks: a larger file is refused before anything is read.
constexpr uint64_t kClipboardLimit = uint64_t{256} << 20;

// A step written wrongly, whatever the model: the command line is wrong (exit status 2),
// where a step the model refuses fails the run (1).
class EWrongStep : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Wrong(const std::string& reason) { throw EWrongStep(reason); }

// A step the model refuses: the reason goes to standard error and the run fails.
bool Fail(const std::string& reason) {
  Tell("%s", reason.c_str());
  return false;
}

// The run's services, remembering which values the queries asked for.
class TEditServices : public TCliServices {
 public:
  bool QueryValues(const std::string& caption, std::vector<std::string>& lines) override {
    for (const std::string& line : lines) Asked.insert(line.substr(0, line.find('=')));
    return TCliServices::QueryValues(caption, lines);
  }
  std::set<std::string> Asked;
};

struct TEditSession {
  TEditSession() : Core(Services) { InstallMaterialLoader(Core); }
  TEditServices Services;
  TCore Core;
};

bool IsAnswer(const std::string& arg) {
  const auto eq = arg.find('=');
  if (eq == std::string::npos || eq == 0) return false;
  for (size_t i = 0; i < eq; ++i) {
    const char c = arg[i];
    if (!(c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
  }
  return true;
}

// "3", "0,4,7" or "2-5": indexes into `all` (the model's objects in model order), in the order
// typed, into `picked`; false after the reason when one is not in the model. Every range is
// checked before it is walked, so a huge one costs nothing.
template <class T>
bool PickByIndex(const std::string& text, const std::vector<T*>& all, std::vector<T*>& picked) {
  const long long total = static_cast<long long>(all.size());
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = std::min(text.find(',', start), text.size());
    const std::string piece = text.substr(start, comma - start);
    const size_t dash = piece.find('-', 1);
    long long first = 0, last = 0;
    try {
      first = StrToInt(piece.substr(0, dash));
      last = dash == std::string::npos ? first : StrToInt(piece.substr(dash + 1));
    } catch (const EConvertError&) {
      Wrong("'" + piece + "' is not a valid index or range");
    }
    if (first < 0 || last < first) Wrong("'" + piece + "' is not a valid index or range");
    if (last >= total)
      return Fail("index " + std::to_string(last) + " is out of range: the model has " + std::to_string(total));
    for (long long i = first; i <= last; ++i) picked.push_back(all[static_cast<size_t>(i)]);
    start = comma + 1;
  }
  return true;
}

}  // namespace

class TStepRunner {
 public:
  explicit TStepRunner(TEditSession& session) : S(session), Core(session.Core) {}
  friend const std::vector<TEditStep>& EditSteps();

  // The first step from args[from] that names no step or action, or empty text; checked
  // before the model is read, so that a mistyped step costs nothing.
  static std::string UnknownStep(const TArgs& args, size_t from) {
    for (size_t i = from; i < args.size(); ++i) {
      const std::string& step = args[i];
      if (step.rfind("act", 0) == 0) {
        if (!FindEditAction(step)) return "unknown action '" + step + "' (zarn-cli help edit lists the actions)";
        while (i + 1 < args.size() && IsAnswer(args[i + 1])) ++i;
        continue;
      }
      const std::string verb = step.substr(0, step.find(':'));
      if (std::none_of(EditSteps().begin(), EditSteps().end(), [&](const TEditStep& row) { return verb == row.Verb; }))
        return "unknown step '" + step + "' (zarn-cli help edit lists the steps)";
    }
    return {};
  }

  // Runs steps from args[from], each as one step of the history; false after the first
  // refusal or error, already reported. A step written wrongly throws EWrongStep.
  bool Run(const TArgs& args, size_t from) {
    for (size_t i = from; i < args.size(); ++i) {
      const std::string& step = args[i];
      // A typed value that its command cannot read as a number is the step written wrongly,
      // whatever the model holds.
      try {
        if (!RunOne(args, i)) return false;
      } catch (const EConvertError& e) {
        Wrong(step + ": " + e.what());
      }
    }
    return true;
  }

  // Runs the step at args[i], and moves i past the answers of an action.
  bool RunOne(const TArgs& args, size_t& i) {
    const std::string& step = args[i];
    if (step.rfind("act", 0) == 0) {
      std::map<std::string, std::string> answers;
      while (i + 1 < args.size() && IsAnswer(args[i + 1])) {
        const std::string& a = args[++i];
        answers[a.substr(0, a.find('='))] = a.substr(a.find('=') + 1);
      }
      return InStep(StepCaption(step), [&] { return RunAction(step, answers); });
    }
    const auto colon = step.find(':');
    const std::string verb = step.substr(0, colon);
    const std::string rest = colon == std::string::npos ? std::string() : step.substr(colon + 1);
    const auto kind = std::find_if(EditSteps().begin(), EditSteps().end(),
                                   [&](const TEditStep& row) { return verb == row.Verb; });
    if (kind == EditSteps().end()) Wrong("unknown step '" + step + "' (zarn-cli help edit lists the steps)");
    if (kind->MakesStep) return InStep(step, [&] { return (this->*kind->Run)(rest); });
    return (this->*kind->Run)(rest);
  }

  // Runs `run` as one step of the history. An error takes the step back and fails the run
  // with its message; a value written wrongly stays the command line's error.
  bool InStep(const std::string& caption, const std::function<bool()>& run) {
    bool done = false;
    std::exception_ptr wrong;
    const TCommandResult result = ::RunStep(Core, caption, [&] {
      try {
        done = run();
      } catch (const EWrongStep&) {
        wrong = std::current_exception();
        throw;
      } catch (const EConvertError&) {
        wrong = std::current_exception();
        throw;
      }
    });
    if (wrong) std::rethrow_exception(wrong);
    if (result.ToTell()) return Fail(result.Message);
    return done;
  }

  bool RunAction(const std::string& name, const std::map<std::string, std::string>& answers) {
    const TEditAction* action = FindEditAction(name);
    if (!action) Wrong("unknown action '" + name + "'");
    S.Services.Answers = answers;
    S.Services.Asked.clear();
    action->Run(Core);
    const TCommandResult outcome = Core.TakeOutcome();
    S.Services.Answers.clear();
    // A refusal was told as it happened; the dialog it came before asked for nothing.
    if (!outcome.Succeeded()) return false;
    for (const auto& [key, value] : answers)
      if (!S.Services.Asked.count(key)) Wrong(name + " asks for no value named '" + key + "'");
    return true;
  }

  bool Reduce(const std::string& faces) { return RunAction("actMeshReduce", {{"Faces", faces}}); }

  bool Copy(const std::string& file) { return ToClipboardFile("actEditCopy", file); }
  bool Cut(const std::string& file) { return ToClipboardFile("actEditCut", file); }

  bool Paste(const std::string& file) {
    S.Services.Clipboard = ReadWholeFile(file, kClipboardLimit);
    return RunAction("actEditPaste", {});
  }

  bool Insert(const std::string& file) {
    S.Services.FileNames = {file};
    return RunAction("actFileInsert", {});
  }

  bool Undo(const std::string& rest) {
    if (!rest.empty()) Wrong("unknown step 'undo:" + rest + "'");
    return UndoRedo(true);
  }
  bool Redo(const std::string& rest) {
    if (!rest.empty()) Wrong("unknown step 'redo:" + rest + "'");
    return UndoRedo(false);
  }
  bool Texture(const std::string& what) {
    TTextureStep step;
    std::string error;
    if (!ParseTextureStep(what, step, error)) Wrong(error);
    return RunAction(step.Action, step.Answers);
  }

  bool Move(const std::string& values) { return Tool("move", values); }
  bool Rotate(const std::string& values) { return Tool("rotate", values); }
  bool Scale(const std::string& values) { return Tool("scale", values); }

 private:
  bool ToClipboardFile(const char* action, const std::string& file) {
    if (!RunAction(action, {})) return false;
    WriteFileAtomically(file, S.Services.Clipboard);
    return true;
  }

  bool UndoRedo(bool undo) {
    THistory& history = Core.History;
    if (!(undo ? history.CanUndo() : history.CanRedo())) return Fail(undo ? "nothing to undo" : "nothing to redo");
    undo ? Core.Undo() : Core.Redo();
    return true;
  }

  // "X,Y,Z" or "X,Y,Z:pivot" (move only): one whole drag of the tool by those values.
  bool Tool(const std::string& tool, const std::string& values) {
    const auto colon = values.find(':');
    const std::string option = colon == std::string::npos ? std::string() : values.substr(colon + 1);
    if (!option.empty() && !(tool == "move" && option == "pivot"))
      Wrong("unknown option '" + option + "' of " + tool + " (only move takes :pivot)");
    std::string text = values.substr(0, colon);
    if (std::count(text.begin(), text.end(), ',') != 2) Wrong("'" + text + "' is not three numbers X,Y,Z");
    std::replace(text.begin(), text.end(), ',', ' ');
    TVector v;
    try {
      v = TextToVector(text);
    } catch (const EConvertError&) {
      Wrong("'" + values.substr(0, colon) + "' is not three numbers X,Y,Z");
    }
    const bool done = tool == "move"     ? MoveSelection(Core, v, !option.empty())
                      : tool == "rotate" ? RotateSelection(Core, v)
                                         : ScaleSelection(Core, v);
    FinishToolDrag(Core);
    return done && Core.TakeOutcome().Succeeded();
  }

  // "2": the level of detail the steps after it edit, counted from 1 as the View menu counts.
  bool LevelOfDetail(const std::string& text) {
    if (text == "generate") {
      return InStep(StepCaption("actViewLodGenerate"), [&] { return RunAction("actViewLodGenerate", {}); });
    }
    int set = 0;
    try {
      set = StrToInt(text);
    } catch (const EConvertError&) {
      Wrong("lod:" + text + " is not a level of detail: lod:N counts from 1");
    }
    const int sets = Core.Model->GeosetCount();
    if (set < 1 || set > sets)
      return Fail("level of detail " + text + " is not in the model, which has " + std::to_string(sets));
    ChooseLevelOfDetail(Core, set - 1);
    return true;
  }

  // "x", "xz", "xyz" ...: the axes the tool bar's lock buttons hold; "none" frees all three.
  bool Lock(const std::string& axes) {
    if (axes != "none" && (axes.empty() || axes.find_first_not_of("xyz") != std::string::npos))
      Wrong("unknown lock '" + axes + "' (x, y and z in any combination, or none)");
    Core.LockX = axes.find('x') != std::string::npos;
    Core.LockY = axes.find('y') != std::string::npos;
    Core.LockZ = axes.find('z') != std::string::npos;
    return true;
  }

  TNode* Named(const std::string& name) const {
    for (TNode* n : Core.Model->Nodes)
      if (n->Name == name) return n;
    return nullptr;
  }

  // "NODE:REST" where NODE names a node; names may hold colons, so the first colon that
  // ends a node's name splits.
  TNode* SplitAtNode(const std::string& text, std::string& rest) const {
    for (size_t colon = text.find(':'); colon != std::string::npos; colon = text.find(':', colon + 1))
      if (TNode* node = Named(text.substr(0, colon))) {
        rest = text.substr(colon + 1);
        return node;
      }
    return nullptr;
  }

  // "NODE:PARENT" or "NODE:top".
  bool Reparent(const std::string& what) {
    std::string parentName;
    TNode* node = SplitAtNode(what, parentName);
    if (!node) return Fail("reparent:" + what + " names no node (reparent:NODE:PARENT or reparent:NODE:top)");
    TNode* parent = parentName == "top" ? nullptr : Named(parentName);
    if (parentName != "top" && !parent) return Fail("no node is named '" + parentName + "'");
    return ReparentNode(*node, parent) ||
           Fail("'" + node->Name + "' cannot go under '" + parentName + "', which is the node itself or inside it");
  }

  // "OLD:NEW".
  bool Rename(const std::string& what) {
    std::string name;
    TNode* node = SplitAtNode(what, name);
    if (!node) return Fail("rename:" + what + " names no node (rename:OLD:NEW)");
    const std::string refusal = RenameNode(*node, name);
    return refusal.empty() || Fail(refusal);
  }

  // "NAME=VALUE": the property panel's field of that name on the current mode's page.
  bool Property(const std::string& assignment) {
    const auto eq = assignment.find('=');
    const std::string name = assignment.substr(0, eq);
    const TPropertyField* field = FindPropertyField(Core.EditMode, name);
    if (eq == std::string::npos || !field) return Fail("no property '" + name + "' in " + ModeName() + " mode");
    return field->Apply(Core, assignment.substr(eq + 1)) && Core.TakeOutcome().Succeeded();
  }

  // "add:NAME" or "delete:NAME": the materials dialog's buttons.
  bool Material(const std::string& what) {
    const auto colon = what.find(':');
    const std::string verb = what.substr(0, colon);
    const std::string name = colon == std::string::npos ? std::string() : what.substr(colon + 1);
    if (verb == "add" && !name.empty()) return AddProjectMaterial(Core, name) != nullptr;
    if (verb != "delete" || name.empty())
      Wrong("unknown step 'material:" + what + "' (material:add:NAME, material:delete:NAME)");
    TMaterial* material = Core.Model->Materials.Find(name);
    if (!material) return Fail("the model has no material '" + name + "'");
    DeleteProjectMaterial(Core, material);
    return true;
  }

  std::string ModeName() const {
    return Core.EditMode == emNode ? "node" : Core.EditMode == emSurface ? "surface" : "vertex";
  }

  bool Mode(const std::string& mode) {
    if (mode == "node") Core.EditMode = emNode;
    else if (mode == "surface") Core.EditMode = emSurface;
    else if (mode == "vertex") Core.EditMode = emVertex;
    else Wrong("unknown edit mode '" + mode + "' (node, surface or vertex)");
    return true;
  }

  bool Select(const std::string& what) {
    if (what == "all") return RunAction("actSelAll", {});
    if (what == "none") return RunAction("actSelClear", {});
    if (what == "invert") return RunAction("actSelInvert", {});
    const auto colon = what.find(':');
    const std::string kind = what.substr(0, colon);
    const std::string list = colon == std::string::npos ? std::string() : what.substr(colon + 1);
    TModel& model = *Core.Model;
    if (kind == "node") {
      bool found = false;
      for (TNode* n : model.Nodes)
        if (n->Name == list) {
          if (!Core.Nodes.Contains(n)) Core.ToggleNode(n, false);
          found = true;
        }
      return found || Fail("no node is named '" + list + "'");
    }
    std::vector<TFace*> faces;
    std::vector<TVertex*> vertices;
    for (TNode* n : model.Nodes)
      if (n->Mesh) {
        faces.insert(faces.end(), n->Mesh->Surfaces.begin(), n->Mesh->Surfaces.end());
        vertices.insert(vertices.end(), n->Mesh->Vertices.begin(), n->Mesh->Vertices.end());
      }
    if (kind == "surface") {
      std::vector<TFace*> picked;
      if (!PickByIndex(list, faces, picked)) return false;
      for (TFace* f : picked)
        if (!Core.Surfaces.Contains(f)) Core.ToggleSurface(f, false);
    } else if (kind == "vertex") {
      std::vector<TVertex*> picked;
      if (!PickByIndex(list, vertices, picked)) return false;
      for (TVertex* v : picked)
        if (!Core.Vertices.Contains(v)) Core.ToggleVertex(v, false);
    } else {
      Wrong("unknown selection '" + what + "' (select:all, select:none, select:invert, select:node:NAME, "
            "select:surface:LIST, select:vertex:LIST)");
    }
    return true;
  }

  TEditSession& S;
  TCore& Core;
};

const std::vector<TEditStep>& EditSteps() {
  using R = TStepRunner;
  static const std::vector<TEditStep> steps = {
      {"mode", "mode:node, mode:surface, mode:vertex", "chooses the edit mode (node mode at the start)", &R::Mode},
      {"select", "select:all, select:none, select:invert", "Select All, Clear and Invert on the current mode's list",
       &R::Select},
      {"select", "select:node:NAME", "adds every node called NAME to the node selection", &R::Select},
      {"select", "select:surface:LIST, select:vertex:LIST",
       "adds surfaces or vertices by index, counted over the whole model in node order, in the order given; "
       "LIST is like 0,4,7 or 2-5",
       &R::Select},
      {"copy", "copy:FILE", "Copy of the selected nodes, the clipboard text going to FILE", &R::Copy},
      {"cut", "cut:FILE", "Cut of the selected nodes, the clipboard text going to FILE", &R::Cut},
      {"paste", "paste:FILE", "Paste with FILE as the clipboard text (at most 256 MiB)", &R::Paste},
      {"insert", "insert:FILE", "File > Insert... of FILE", &R::Insert},
      {"prop", "prop:NAME=VALUE", "sets a field of the property panel on the current mode's selection (fields below)",
       &R::Property},
      {"material", "material:add:NAME, material:delete:NAME",
       "the materials dialog's Add to Project and Delete; the faces of a deleted material take dflt.mat", &R::Material},
      {"move", "move:DX,DY,DZ", "one drag of the move tool by that world displacement", &R::Move},
      {"move", "move:DX,DY,DZ:pivot",
       "the move tool with Shift held: in node mode a node's origin moves while its geometry and children stay",
       &R::Move},
      {"rotate", "rotate:AX,AY,AZ", "one drag of the rotate tool: degrees about the world axes", &R::Rotate},
      {"scale", "scale:SX,SY,SZ", "one drag of the scale tool about the selection's centre", &R::Scale},
      {"lock", "lock:AXES, lock:none",
       "the tool bar's axis locks for the steps that follow: x, y, z or several (xz); none frees them", &R::Lock},
      {"lod", "lod:N", "View > Level of Detail: the steps that follow show and edit level of detail N (from 1)",
       &R::LevelOfDetail, false},
      {"lod", "lod:generate", "View > Level of Detail > Generate...: sets 2 to 4 reduced copies of the first (50, 25, 12%)",
       &R::LevelOfDetail, false},
      {"reduce", "reduce:FACES", "Mesh > Reduce...: the selected nodes' meshes (every mesh without any) to FACES faces",
       &R::Reduce},
      {"reparent", "reparent:NODE:PARENT, reparent:NODE:top",
       "NODE goes under PARENT (never into its own subtree) or to the top level, keeping its place", &R::Reparent},
      {"rename", "rename:OLD:NEW", "the node tree's rename; NEW must be a name a file can hold", &R::Rename},
      {"uv", "uv:view:top, uv:view:front, uv:view:side",
       "Texture > Map From View from that camera, fitted to the selected faces' materials", &R::Texture},
      {"uv", "uv:box, uv:box:DENSITY",
       "Texture > Map Box, at DENSITY texels per unit or the one that fits the largest extent", &R::Texture},
      {"uv", "uv:cylinder, uv:fit", "Texture > Map Cylinder, Texture > Fit to Material", &R::Texture},
      {"uv", "uv:move:DU,DV, uv:scale:SU,SV, uv:rotate:DEG",
       "Texture > Move (texels), Scale and Rotate (degrees) about the coordinates' middle", &R::Texture},
      {"uv", "uv:flip:u, uv:flip:v", "Texture > Flip U, Flip V", &R::Texture},
      {"undo", "undo", "Edit > Undo: takes back the last step", &R::Undo, false},
      {"redo", "redo", "Edit > Redo: makes the step taken back last again", &R::Redo, false},
  };
  return steps;
}

int RunEdit(const TArgs& args) {
  if (!NoOptionsLeft(args, "edit")) return 2;
  // IN.3do OUT.3do, or CONTAINER ENTRY OUT.3do as every command that reads a model takes it.
  const size_t files = !args.empty() && IsContainerName(args[0]) ? 3 : 2;
  if (args.size() < files) {
    Tell("usage: zarn-cli edit IN.3do OUT.3do STEP... | edit CONTAINER ENTRY OUT.3do STEP...");
    return 2;
  }
  if (const std::string unknown = TStepRunner::UnknownStep(args, files); !unknown.empty()) {
    Tell("%s", unknown.c_str());
    return 2;
  }
  TEditSession session;
  if (files == 3) {
    TGobItem item;
    if (!FindContainerEntry(args[0], args[1], item) || !TCliSession::Ended(OpenContainerEntry(session.Core, item)))
      return 1;
  } else if (!TCliSession::Ended(OpenModel(session.Core, args[0]))) {
    return 1;
  }
  try {
    if (!TStepRunner(session).Run(args, files)) return 1;
  } catch (const EWrongStep& e) {
    Tell("%s", e.what());
    return 2;
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  return TCliSession::Ended(SaveModel(session.Core, args[files - 1])) ? 0 : 1;
}
