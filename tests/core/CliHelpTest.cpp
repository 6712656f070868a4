// zarn-cli explaining itself: the usage, the version, and the steps, fields and actions of edit.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/core/CliRunner.h"

namespace {

struct TExpectedRun {
  std::vector<std::string> Args;
  int Status;
  // What each stream begins with; empty: the stream stays empty. Without the usage, what is
  // written is one line.
  std::string Out, Err;
};

TEST(CliHelp, HelpAndVersionGoToStandardOutputAndWrongCommandLinesToStandardErrorWithStatus2) {
  const std::string usage = "usage: zarn-cli COMMAND ARGS...\n";
  const std::vector<TExpectedRun> runs = {
      {{"--help"}, 0, usage, ""},
      {{"-h"}, 0, usage, ""},
      {{"help"}, 0, usage, ""},
      {{"help", "edit"}, 0, "usage: zarn-cli edit IN.3do OUT.3do STEP...\n", ""},
      {{"--version"}, 0, "ZARN 0.7.7\n", ""},
      {{}, 2, "", "zarn-cli: no command given (zarn-cli --help lists the commands)\n"},
      {{"frobnicate"}, 2, "", "zarn-cli: unknown command 'frobnicate' (zarn-cli --help lists the commands)\n"},
      {{"--frobnicate"}, 2, "", "zarn-cli: unknown option '--frobnicate'"},
      {{"info", "--jsno", ZARN_SAMPLES_DIR "/fighter.3do"}, 2, "", "zarn-cli: unknown option '--jsno' of info"},
      {{"edit", ZARN_SAMPLES_DIR "/fighter.3do", "-o", "out.3do"}, 2, "", "zarn-cli: unknown option '-o' of edit"},
      {{"help", "frobnicate"}, 2, "", "zarn-cli: no help on 'frobnicate'"},
      {{"--version", "1"}, 2, "", "zarn-cli: --version takes no arguments"},
  };
  for (const TExpectedRun& expected : runs) {
    SCOPED_TRACE(expected.Args.empty() ? "(none)" : expected.Args[0] + " " + expected.Err);
    const TCliRun run = RunCliApart(expected.Args);
    EXPECT_EQ(run.Status, expected.Status);
    // An empty expectation compares the whole stream.
    EXPECT_EQ(run.Out.substr(0, expected.Out.empty() ? std::string::npos : expected.Out.size()), expected.Out);
    EXPECT_EQ(run.Err.substr(0, expected.Err.empty() ? std::string::npos : expected.Err.size()), expected.Err);
    const std::string written = run.Out + run.Err;
    if ((expected.Out + expected.Err).find("usage:") == std::string::npos) {
      EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1) << written;
    }
  }
}

// The fields and actions of help edit, as a user reads them: every property field with the
// values it takes, every action with its menu command and the values its dialog asks for.
TEST(CliHelp, EditListsThePropertyFieldsAndEveryActionWithItsMenuCommandAndDialog) {
  const TCliRun help = RunCliApart({"help", "edit"});
  ASSERT_EQ(help.Status, 0);
  EXPECT_EQ(help.Err, "");
  const auto fields = help.Out.find("Fields of prop");
  ASSERT_NE(fields, std::string::npos) << help.Out;
  EXPECT_EQ(help.Out.substr(fields), R"(Fields of prop:NAME=VALUE, on the current mode's selection:
  node     Type         Lower Body, Upper Body (dflt), Left Leg, Left Arm, Right Leg, Right Arm or Head
  node     Position     X,Y,Z
  node     Pivot        X,Y,Z
  node     Rotation     X,Y,Z
  node     MeshName     a name of at most 31 characters
  node     Geo          None, Vertex, Wireframe, Solid or Texture
  node     Light        Full, None, Diffuse or Gouraud
  node     Tex          Affine, Perspective Corrected or Perspective
  surface  Material     a material of the model
  surface  Geo          None, Vertex, Wireframe, Solid or Texture
  surface  Light        Full, None, Diffuse or Gouraud
  surface  Tex          Affine, Perspective Corrected or Perspective
  surface  Extralight   a number
  surface  TwoSided     0 or 1
  surface  Translucent  0 or 1
  surface  Collides     0 or 1

Actions, with the menu command each is, and the values its dialog asks for:
  actFileInsert           File > Insert...
  actEditCut              Edit > Cut
  actEditCopy             Edit > Copy
  actEditPaste            Edit > Paste
  actEditMerge            Edit > Merge
  actEditDelete           Edit > Delete
  actEditExtrudeFace      Edit > Extrude Surface
  actEditSplitFace        Edit > Split Surface
  actEditInsertVx         Edit > Insert Vertex
  actEditFlipFace         Edit > Flip Surface
  actEditMakeSurface      Edit > Make Surface
  actEditTranslate        Edit > Translate...
      dialog "Translate":
        X=0
        Y=0
        Z=0
  actEditMove             Edit > Move...
      dialog "Move":
        X=0
        Y=0
        Z=0
  actEditRotate           Edit > Rotate...
      dialog "Rotate":
        X=0
        Y=0
        Z=0
        Around_X=<the centre of the selection's vertices>
        Around_Y=<the centre of the selection's vertices>
        Around_Z=<the centre of the selection's vertices>
  actEditScale            Edit > Scale...
      dialog "Scale":
        X=1
        Y=1
        Z=1
        Around_X=<the centre of the selection's vertices>
        Around_Y=<the centre of the selection's vertices>
        Around_Z=<the centre of the selection's vertices>
  actEditInsertOffset     Edit > Insert Offset...
      dialog "Edit Insert Offset":
        Insert_Offset=<the model's insert offset>
  actSelClear             Select > Clear
  actSelAll               Select > All
  actSelInvert            Select > Invert
  actSelParentNode        Select > Parent Node
  actSelChildNode         Select > Child Node
  actSelNextSiblingNode   Select > Next Sibling Node
  actSelPrevSiblingNode   Select > Previous Sibling Node
  actViewLodAdd           View > Level of Detail > Add Level of Detail
  actViewLodCopy          View > Level of Detail > Copy Level of Detail...
      dialog "Copy Level of Detail":
        Copy_To=<the level of detail after the shown one (before it, for the last)>
  actViewLodDelete        View > Level of Detail > Delete Level of Detail
  actPrimDummy            Primitive > Dummy Node
  actPrimEmptyMesh        Primitive > Empty Mesh
  actPrimCube             Primitive > Cube...
      dialog "Create Cube":
        Size=0.02
  actPrimPlane            Primitive > Plane...
      dialog "Create Plane":
        Size=0.02
        Subdivide_X=1
        Subdivide_Y=1
  actPrimCylind           Primitive > Cylinder...
      dialog "Create Cylinder":
        Size=0.2
        Radius=0.03
        Sides=8
  actPrimCone             Primitive > Cone...
      dialog "Create Cone":
        Size=0.1
        Radius=0.03
        Sides=8
  actPrimSphere           Primitive > Sphere...
      dialog "Create Sphere":
        Radius=0.03
        Segments=12
        Rings=6
  actTexMapView           Texture > Map From View...
      dialog "Map From View":
        View=<the camera shown: Top, Front, Side or Free (Top without windows)>
        Density=fit
  actTexMapBox            Texture > Map Box...
      dialog "Map Box":
        Density=<texels per unit that fit the selection's largest extent to one material width>
  actTexMapCylinder       Texture > Map Cylinder
  actTexFit               Texture > Fit to Material
  actTexMove              Texture > Move...
      dialog "Move Texture":
        DU=0
        DV=0
  actTexScale             Texture > Scale...
      dialog "Scale Texture":
        SU=1
        SV=1
  actTexRotate            Texture > Rotate...
      dialog "Rotate Texture":
        Degrees=90
  actTexFlipU             Texture > Flip U
  actTexFlipV             Texture > Flip V
  actFitGameLimits        Mesh > Fit to Game Limits
  actMeshReduce           Mesh > Reduce...
      dialog "Reduce":
        Faces=<half the faces of the largest mesh reduced>
  actViewLodGenerate      View > Level of Detail > Generate Levels of Detail...
      dialog "Generate Levels of Detail":
        Set_2=50
        Set_3=25
        Set_4=12
  actFileNewMaterial      File > New Material...
      dialog "New Material":
        Depth=8
        Transparent=0
        Dither=0
        Mipmaps=0
  actFileSaveToContainer  File > Save to Container...
)");
}

}  // namespace
