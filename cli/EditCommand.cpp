// zarn-cli edit: runs editing commands on a model, as the menus would, without windows.
#include <algorithm>
#include <exception>
#include <functional>
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
#include "editing/Query.h"
#include "editing/Step.h"
#include "editing/ToolEdits.h"
#include "formats/FileIO.h"
#include "model/Convert.h"
#include "model/Errors.h"
#include "model/Vector.h"

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

struct TEditSession {
  TEditSession() : Core(Services) { InstallMaterialLoader(Core); }
  TCliServices Services;
  TCore Core;
};

// The dialog's lines as the command line answers them: the values given, and the form's
// defaults for the rest. A value the command works out as it runs stays out unless given.
std::vector<std::string> AnswerLines(const TEditAction& action, const std::map<std::string, std::string>& answers) {
  for (const auto& [key, value] : answers) {
    const bool asked = action.Query && std::any_of(action.Query->Fields.begin(), action.Query->Fields.end(),
                                                   [&](const TQueryField& field) { return key == field.Name; });
    if (!asked) Wrong(std::string(action.Name) + " asks for no value named '" + key + "'");
  }
  std::vector<std::string> lines;
  if (action.Query)
    for (const TQueryField& field : action.Query->Fields) {
      const auto answer = answers.find(field.Name);
      if (answer != answers.end()) lines.push_back(std::string(field.Name) + "=" + answer->second);
      else if (field.Default) lines.push_back(std::string(field.Name) + "=" + field.Default);
    }
  return lines;
}

bool IsAnswer(const std::string& arg) {
  const auto eq = arg.find('=');
  if (eq == std::string::npos || eq == 0) return false;
  for (size_t i = 0; i < eq; ++i) {
    const char c = arg[i];
    if (!(c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
  }
  return true;
}

// "3", "0,4,7" or "2-5": the index ranges typed, in the order typed.
std::vector<std::pair<long long, long long>> ReadRanges(const std::string& text) {
  std::vector<std::pair<long long, long long>> ranges;
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
    ranges.emplace_back(first, last);
    start = comma + 1;
  }
  return ranges;
}

// The ranges' objects of `all` (the model's objects in model order), in the order typed, into
// `picked`; false after the reason when one is not in the model. Every range is checked
// before it is walked, so a huge one costs nothing.
template <class T>
bool PickByIndex(const std::vector<std::pair<long long, long long>>& ranges, const std::vector<T*>& all,
                 std::vector<T*>& picked) {
  const long long total = static_cast<long long>(all.size());
  for (const auto& [first, last] : ranges) {
    if (last >= total)
      return Fail("index " + std::to_string(last) + " is out of range: the model has " + std::to_string(total));
    for (long long i = first; i <= last; ++i) picked.push_back(all[static_cast<size_t>(i)]);
  }
  return true;
}

}  // namespace

// One step of the command line as read, before the model is: a step written wrongly anywhere
// in the list stops the run before any step runs. What names the model's contents (nodes,
// properties, files) is looked up when the step runs.
struct TPlannedStep {
  std::string Text;  // as typed: the step's undo caption and the subject of its messages
  const TEditStep* Row = nullptr;  // its verb's row; none for an action
  std::string Rest;  // the text after the verb's colon
  // The action the step runs, the values its dialog is answered with, and the two bound
  // together once the values are read.
  std::string Action;
  std::map<std::string, std::string> Answers;
  TAnsweredRun Bound;
  int Kind = 0;  // the edit mode of mode: and select:node|surface|vertex; lod:N's level; 1 for material:add
  TVector Values;  // move, rotate, scale
  bool Pivot = false;  // move:...:pivot
  std::vector<std::pair<long long, long long>> Ranges;  // select:surface:LIST, select:vertex:LIST
};

class TStepRunner {
 public:
  explicit TStepRunner(TEditSession& session) : S(session), Core(session.Core) {}
  friend const std::vector<TEditStep>& EditSteps();

  // Reads the steps from args[from]; a step written wrongly throws EWrongStep.
  static std::vector<TPlannedStep> Plan(const TArgs& args, size_t from) {
    std::vector<TPlannedStep> plan;
    for (size_t i = from; i < args.size(); ++i) {
      TPlannedStep& step = plan.emplace_back();
      step.Text = args[i];
      if (step.Text.rfind("act", 0) == 0) {
        if (!FindEditAction(step.Text))
          Wrong("unknown action '" + step.Text + "' (zarn-cli help edit lists the actions)");
        step.Action = step.Text;
        while (i + 1 < args.size() && IsAnswer(args[i + 1])) {
          const std::string& a = args[++i];
          step.Answers[a.substr(0, a.find('='))] = a.substr(a.find('=') + 1);
        }
        continue;
      }
      const auto colon = step.Text.find(':');
      const std::string verb = step.Text.substr(0, colon);
      const auto row = std::find_if(EditSteps().begin(), EditSteps().end(),
                                    [&](const TEditStep& r) { return verb == r.Verb; });
      if (row == EditSteps().end()) Wrong("unknown step '" + step.Text + "' (zarn-cli help edit lists the steps)");
      step.Row = &*row;
      step.Rest = colon == std::string::npos ? std::string() : step.Text.substr(colon + 1);
      if (row->Read) Read(step, [&] { row->Read(step); });
    }
    for (TPlannedStep& step : plan)
      if (!step.Action.empty()) Read(step, [&] { step.Bound = Bind(step); });
    return plan;
  }

  // A value that is not the number it must be is the step written wrongly.
  static void Read(const TPlannedStep& step, const std::function<void()>& read) {
    try {
      read();
    } catch (const EConvertError& e) {
      Wrong(step.Text + ": " + e.what());
    }
  }

  // The action's run with the step's answers read into its values.
  static TAnsweredRun Bind(const TPlannedStep& step) {
    const TEditAction& action = *FindEditAction(step.Action);
    const std::vector<std::string> lines = AnswerLines(action, step.Answers);
    if (!action.Answer) return action.Run;
    return action.Answer(TQuery(*action.Query, lines));
  }

  // Runs the steps, each as one step of the history; false after the first refusal or error,
  // already reported. A property's value its field cannot take throws EWrongStep.
  bool Run(const std::vector<TPlannedStep>& plan) {
    for (const TPlannedStep& step : plan) {
      // A typed value that its field cannot read is the step written wrongly, whatever the
      // model holds.
      try {
        if (!RunOne(step)) return false;
      } catch (const EConvertError& e) {
        Wrong(step.Text + ": " + e.what());
      }
    }
    return true;
  }

  bool RunOne(const TPlannedStep& step) {
    if (!step.Row) return InStep(StepCaption(step.Action), [&] { return Answered(step); });
    if (step.Row->MakesStep) return InStep(step.Text, [&] { return (this->*step.Row->Run)(step); });
    return (this->*step.Row->Run)(step);
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
      // A refusal was told as it happened.
      return TCommandResult{};
    });
    if (wrong) std::rethrow_exception(wrong);
    if (result.ToTell()) return Fail(result.Message);
    return done;
  }

  // The command's end: a refusal or failure was told as it happened, or is told now.
  static bool Ended(const TCommandResult& result) { return result.ToTell() ? Fail(result.Message) : result.Succeeded(); }
  bool RunAction(const char* name) { return Ended(FindEditAction(name)->Run(Core)); }
  bool Answered(const TPlannedStep& step) { return Ended(step.Bound(Core)); }

  // "FACES": Mesh > Reduce... to that many faces.
  static void ReadReduce(TPlannedStep& step) {
    step.Action = "actMeshReduce";
    step.Answers["Faces"] = step.Rest;
  }

  bool Copy(const TPlannedStep& step) { return ToClipboardFile("actEditCopy", step.Rest); }
  bool Cut(const TPlannedStep& step) { return ToClipboardFile("actEditCut", step.Rest); }

  bool Paste(const TPlannedStep& step) {
    S.Services.Clipboard = ReadWholeFile(step.Rest, kClipboardLimit);
    return RunAction("actEditPaste");
  }

  bool Insert(const TPlannedStep& step) {
    S.Services.FileNames = {step.Rest};
    return RunAction("actFileInsert");
  }

  // Undo and redo take nothing after their name.
  static void ReadAlone(TPlannedStep& step) {
    if (!step.Rest.empty()) Wrong("unknown step '" + step.Text + "'");
  }
  bool Undo(const TPlannedStep&) { return UndoRedo(true); }
  bool Redo(const TPlannedStep&) { return UndoRedo(false); }

  static void ReadTexture(TPlannedStep& step) {
    TTextureStep texture;
    std::string error;
    if (!ParseTextureStep(step.Rest, texture, error)) Wrong(error);
    step.Action = texture.Action;
    step.Answers = texture.Answers;
  }

  // "X,Y,Z" or "X,Y,Z:pivot" (move only): one whole drag of the tool by those values.
  static void ReadTool(TPlannedStep& step) {
    const std::string tool = step.Row->Verb;
    const auto colon = step.Rest.find(':');
    const std::string option = colon == std::string::npos ? std::string() : step.Rest.substr(colon + 1);
    if (!option.empty() && !(tool == "move" && option == "pivot"))
      Wrong("unknown option '" + option + "' of " + tool + " (only move takes :pivot)");
    step.Pivot = !option.empty();
    std::string text = step.Rest.substr(0, colon);
    if (std::count(text.begin(), text.end(), ',') != 2) Wrong("'" + text + "' is not three numbers X,Y,Z");
    std::replace(text.begin(), text.end(), ',', ' ');
    try {
      step.Values = TextToVector(text);
    } catch (const EConvertError&) {
      Wrong("'" + step.Rest.substr(0, colon) + "' is not three numbers X,Y,Z");
    }
  }
  bool Move(const TPlannedStep& step) { return Tool(MoveSelection(Core, step.Values, step.Pivot)); }
  bool Rotate(const TPlannedStep& step) { return Tool(RotateSelection(Core, step.Values)); }
  bool Scale(const TPlannedStep& step) { return Tool(ScaleSelection(Core, step.Values)); }

  // "2": the level of detail the steps after it edit, counted from 1 as the View menu counts;
  // "generate": View > Level of Detail > Generate....
  static void ReadLevelOfDetail(TPlannedStep& step) {
    if (step.Rest == "generate") {
      step.Action = "actViewLodGenerate";
      return;
    }
    try {
      step.Kind = StrToInt(step.Rest);
    } catch (const EConvertError&) {
      Wrong("lod:" + step.Rest + " is not a level of detail: lod:N counts from 1");
    }
  }
  bool LevelOfDetail(const TPlannedStep& step) {
    if (!step.Action.empty()) return InStep(StepCaption(step.Action), [&] { return Answered(step); });
    const int sets = Core.Model->GeosetCount();
    if (step.Kind < 1 || step.Kind > sets)
      return Fail("level of detail " + step.Rest + " is not in the model, which has " + std::to_string(sets));
    ChooseLevelOfDetail(Core, step.Kind - 1);
    return true;
  }

  // "x", "xz", "xyz" ...: the axes the tool bar's lock buttons hold; "none" frees all three.
  static void ReadLock(TPlannedStep& step) {
    const std::string& axes = step.Rest;
    if (axes != "none" && (axes.empty() || axes.find_first_not_of("xyz") != std::string::npos))
      Wrong("unknown lock '" + axes + "' (x, y and z in any combination, or none)");
  }
  bool Lock(const TPlannedStep& step) {
    Core.LockX = step.Rest.find('x') != std::string::npos;
    Core.LockY = step.Rest.find('y') != std::string::npos;
    Core.LockZ = step.Rest.find('z') != std::string::npos;
    return true;
  }

  // "NODE:PARENT" or "NODE:top".
  bool Reparent(const TPlannedStep& step) {
    std::string parentName;
    TNode* node = SplitAtNode(step.Rest, parentName);
    if (!node) return Fail("reparent:" + step.Rest + " names no node (reparent:NODE:PARENT or reparent:NODE:top)");
    TNode* parent = parentName == "top" ? nullptr : Named(parentName);
    if (parentName != "top" && !parent) return Fail("no node is named '" + parentName + "'");
    return ReparentNode(*node, parent) ||
           Fail("'" + node->Name + "' cannot go under '" + parentName + "', which is the node itself or inside it");
  }

  // "OLD:NEW".
  bool Rename(const TPlannedStep& step) {
    std::string name;
    TNode* node = SplitAtNode(step.Rest, name);
    if (!node) return Fail("rename:" + step.Rest + " names no node (rename:OLD:NEW)");
    const std::string refusal = RenameNode(*node, name);
    return refusal.empty() || Fail(refusal);
  }

  // "NAME=VALUE": the property panel's field of that name on the current mode's page.
  bool Property(const TPlannedStep& step) {
    const std::string& assignment = step.Rest;
    const auto eq = assignment.find('=');
    const std::string name = assignment.substr(0, eq);
    const TPropertyField* field = FindPropertyField(Core.EditMode, name);
    if (eq == std::string::npos || !field) return Fail("no property '" + name + "' in " + ModeName() + " mode");
    return field->Apply(Core, assignment.substr(eq + 1)).Succeeded();
  }

  // "add:NAME" or "delete:NAME": the materials dialog's buttons.
  static void ReadMaterial(TPlannedStep& step) {
    const auto colon = step.Rest.find(':');
    const std::string verb = step.Rest.substr(0, colon);
    const std::string name = colon == std::string::npos ? std::string() : step.Rest.substr(colon + 1);
    if ((verb != "add" && verb != "delete") || name.empty())
      Wrong("unknown step 'material:" + step.Rest + "' (material:add:NAME, material:delete:NAME)");
    step.Kind = verb == "add";
    step.Rest = name;
  }
  bool Material(const TPlannedStep& step) {
    if (step.Kind) return AddProjectMaterial(Core, step.Rest) != nullptr;
    TMaterial* material = Core.Model->Materials.Find(step.Rest);
    if (!material) return Fail("the model has no material '" + step.Rest + "'");
    DeleteProjectMaterial(Core, material);
    return true;
  }

  static void ReadMode(TPlannedStep& step) {
    if (step.Rest == "node") step.Kind = emNode;
    else if (step.Rest == "surface") step.Kind = emSurface;
    else if (step.Rest == "vertex") step.Kind = emVertex;
    else Wrong("unknown edit mode '" + step.Rest + "' (node, surface or vertex)");
  }
  bool Mode(const TPlannedStep& step) {
    Core.EditMode = static_cast<TEditMode>(step.Kind);
    return true;
  }

  static void ReadSelect(TPlannedStep& step) {
    const std::string& what = step.Rest;
    if (what == "all" || what == "none" || what == "invert") {
      step.Action = what == "all" ? "actSelAll" : what == "none" ? "actSelClear" : "actSelInvert";
      return;
    }
    const auto colon = what.find(':');
    const std::string kind = what.substr(0, colon);
    const std::string list = colon == std::string::npos ? std::string() : what.substr(colon + 1);
    if (kind == "node") {
      step.Kind = emNode;
      step.Rest = list;
    } else if (kind == "surface" || kind == "vertex") {
      step.Kind = kind == "surface" ? emSurface : emVertex;
      step.Ranges = ReadRanges(list);
    } else {
      Wrong("unknown selection '" + what + "' (select:all, select:none, select:invert, select:node:NAME, "
            "select:surface:LIST, select:vertex:LIST)");
    }
  }
  bool Select(const TPlannedStep& step) {
    if (!step.Action.empty()) return Answered(step);
    TModel& model = *Core.Model;
    if (step.Kind == emNode) {
      bool found = false;
      for (TNode* n : model.Nodes)
        if (n->Name == step.Rest) {
          if (!Core.Nodes.Contains(n)) Core.ToggleNode(n, false);
          found = true;
        }
      return found || Fail("no node is named '" + step.Rest + "'");
    }
    std::vector<TFace*> faces;
    std::vector<TVertex*> vertices;
    for (TNode* n : model.Nodes)
      if (n->Mesh) {
        faces.insert(faces.end(), n->Mesh->Surfaces.begin(), n->Mesh->Surfaces.end());
        vertices.insert(vertices.end(), n->Mesh->Vertices.begin(), n->Mesh->Vertices.end());
      }
    if (step.Kind == emSurface) {
      std::vector<TFace*> picked;
      if (!PickByIndex(step.Ranges, faces, picked)) return false;
      for (TFace* f : picked)
        if (!Core.Surfaces.Contains(f)) Core.ToggleSurface(f, false);
    } else {
      std::vector<TVertex*> picked;
      if (!PickByIndex(step.Ranges, vertices, picked)) return false;
      for (TVertex* v : picked)
        if (!Core.Vertices.Contains(v)) Core.ToggleVertex(v, false);
    }
    return true;
  }

 private:
  bool ToClipboardFile(const char* action, const std::string& file) {
    if (!RunAction(action)) return false;
    WriteFileAtomically(file, S.Services.Clipboard);
    return true;
  }

  bool UndoRedo(bool undo) {
    THistory& history = Core.History;
    if (!(undo ? history.CanUndo() : history.CanRedo())) return Fail(undo ? "nothing to undo" : "nothing to redo");
    undo ? Core.Undo() : Core.Redo();
    return true;
  }

  // The end of a tool's drag: the selection moved, turned or scaled already, or was refused.
  bool Tool(const TCommandResult& done) {
    FinishToolDrag(Core);
    return done.Succeeded();
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

  std::string ModeName() const {
    return Core.EditMode == emNode ? "node" : Core.EditMode == emSurface ? "surface" : "vertex";
  }

  TEditSession& S;
  TCore& Core;
};

const std::vector<TEditStep>& EditSteps() {
  using R = TStepRunner;
  static const std::vector<TEditStep> steps = {
      {"mode", "mode:node, mode:surface, mode:vertex", "chooses the edit mode (node mode at the start)",
       &R::ReadMode, &R::Mode},
      {"select", "select:all, select:none, select:invert", "Select All, Clear and Invert on the current mode's list",
       &R::ReadSelect, &R::Select},
      {"select", "select:node:NAME", "adds every node called NAME to the node selection",
       &R::ReadSelect, &R::Select},
      {"select", "select:surface:LIST, select:vertex:LIST",
       "adds surfaces or vertices by index, counted over the whole model in node order, in the order given; "
       "LIST is like 0,4,7 or 2-5",
       &R::ReadSelect, &R::Select},
      {"copy", "copy:FILE", "Copy of the selected nodes, the clipboard text going to FILE",
       nullptr, &R::Copy},
      {"cut", "cut:FILE", "Cut of the selected nodes, the clipboard text going to FILE",
       nullptr, &R::Cut},
      {"paste", "paste:FILE", "Paste with FILE as the clipboard text (at most 256 MiB)",
       nullptr, &R::Paste},
      {"insert", "insert:FILE", "File > Insert... of FILE", nullptr, &R::Insert},
      {"prop", "prop:NAME=VALUE", "sets a field of the property panel on the current mode's selection (fields below)",
       nullptr, &R::Property},
      {"material", "material:add:NAME, material:delete:NAME",
       "the materials dialog's Add to Project and Delete; the faces of a deleted material take dflt.mat",
         &R::ReadMaterial, &R::Material},
      {"move", "move:DX,DY,DZ", "one drag of the move tool by that world displacement",
       &R::ReadTool, &R::Move},
      {"move", "move:DX,DY,DZ:pivot",
       "the move tool with Shift held: in node mode a node's origin moves while its geometry and children stay",
       &R::ReadTool, &R::Move},
      {"rotate", "rotate:AX,AY,AZ", "one drag of the rotate tool: degrees about the world axes",
       &R::ReadTool, &R::Rotate},
      {"scale", "scale:SX,SY,SZ", "one drag of the scale tool about the selection's centre",
       &R::ReadTool, &R::Scale},
      {"lock", "lock:AXES, lock:none",
       "the tool bar's axis locks for the steps that follow: x, y, z or several (xz); none frees them",
         &R::ReadLock, &R::Lock},
      {"lod", "lod:N", "View > Level of Detail: the steps that follow show and edit level of detail N (from 1)",
       &R::ReadLevelOfDetail, &R::LevelOfDetail, false},
      {"lod", "lod:generate", "View > Level of Detail > Generate...: sets 2 to 4 reduced copies of the first (50, 25, 12%)",
       &R::ReadLevelOfDetail, &R::LevelOfDetail, false},
      {"reduce", "reduce:FACES", "Mesh > Reduce...: the selected nodes' meshes (every mesh without any) to FACES faces",
       &R::ReadReduce, &R::Answered},
      {"reparent", "reparent:NODE:PARENT, reparent:NODE:top",
       "NODE goes under PARENT (never into its own subtree) or to the top level, keeping its place",
         nullptr, &R::Reparent},
      {"rename", "rename:OLD:NEW", "the node tree's rename; NEW must be a name a file can hold",
       nullptr, &R::Rename},
      {"uv", "uv:view:top, uv:view:front, uv:view:side",
       "Texture > Map From View from that camera, fitted to the selected faces' materials",
         &R::ReadTexture, &R::Answered},
      {"uv", "uv:box, uv:box:DENSITY",
       "Texture > Map Box, at DENSITY texels per unit or the one that fits the largest extent",
         &R::ReadTexture, &R::Answered},
      {"uv", "uv:cylinder, uv:fit", "Texture > Map Cylinder, Texture > Fit to Material",
       &R::ReadTexture, &R::Answered},
      {"uv", "uv:move:DU,DV, uv:scale:SU,SV, uv:rotate:DEG",
       "Texture > Move (texels), Scale and Rotate (degrees) about the coordinates' middle",
         &R::ReadTexture, &R::Answered},
      {"uv", "uv:flip:u, uv:flip:v", "Texture > Flip U, Flip V", &R::ReadTexture, &R::Answered},
      {"undo", "undo", "Edit > Undo: takes back the last step", &R::ReadAlone, &R::Undo, false},
      {"redo", "redo", "Edit > Redo: makes the step taken back last again",
       &R::ReadAlone, &R::Redo, false},
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
  // The steps are read before the model, so that a step written wrongly costs nothing.
  std::vector<TPlannedStep> plan;
  try {
    plan = TStepRunner::Plan(args, files);
  } catch (const EWrongStep& e) {
    Tell("%s", e.what());
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
    if (!TStepRunner(session).Run(plan)) return 1;
  } catch (const EWrongStep& e) {
    Tell("%s", e.what());
    return 2;
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  return TCliSession::Ended(SaveModel(session.Core, args[files - 1])) ? 0 : 1;
}
