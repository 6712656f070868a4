#include "editing/ActionTable.h"

namespace {
constexpr const char* File = "&File";
constexpr const char* Edit = "&Edit";
constexpr const char* View = "&View";
constexpr const char* LevelOfDetail = "&View > &Level of Detail";
constexpr const char* Select = "&Select";
constexpr const char* Primitive = "&Primitive";
constexpr const char* Texture = "&Texture";
constexpr const char* Mesh = "&Mesh";
constexpr const char* Help = "&Help";
constexpr const char* None = "";
}  // namespace

const std::vector<TActionRow>& MainActionRows() {
  static const std::vector<TActionRow> rows = {
      {"actFileNew", "&New", "Clears the current model and resets everything", "Ctrl+N", File, 1, false},
      {"actFileOpen", "&Open...", "Open a new model", "Ctrl+O", File, 2, false},
      {"actFileInsert", "&Insert...", "Insert a model", "", File, 3, false},
      {"actFileRevert", "&Revert", "", "", File, 4, false},
      {"actFileSaveAs", "Save &As...", "Save model wih a new name", "", File, 6, false},
      {"actFileSave", "&Save", "Save model", "Ctrl+S", File, 5, false},
      {"actFileImport", "Im&port...", "Import meshes from other formats", "", File, 7, true},
      {"actFileExport", "&Export...", "Export the model as a Wavefront OBJ mesh", "", File, 7, false},
      {"actFileSaveToContainer", "Save to &Container...", "Save the model and its materials into a .gob container",
       "", File, 6, false},
      {"actFileNewMaterial", "New &Material...", "Make a material of a PNG picture", "", File, 7, true},
      {"actFileExit", "E&xit", "Exit ZARN", "", File, 8, true},
      {"actEditUndo", "&Undo", "Take back the last change", "Ctrl+Z", Edit, 0, false},
      {"actEditRedo", "&Redo", "Make the change taken back again", "Ctrl+Y", Edit, 0, false},
      {"actEditCut", "Cu&t", "Cut selected nodes to clipboard", "Ctrl+X", Edit, 1, true},
      {"actEditCopy", "&Copy", "Copy selected nodes to clipboard", "Ctrl+C", Edit, 2, false},
      {"actEditPaste", "&Paste", "Paste from clipboard", "Ctrl+V", Edit, 3, false},
      {"actEditMerge", "Mer&ge", "Merge selected nodes (meshes)", "Ctrl+M", Edit, 4, false},
      {"actEditDelete", "&Delete", "Delete selected object(s)", "Ctrl+Del", Edit, 5, false},
      {"actEditExtrudeFace", "&Extrude Surface", "Extrude selected surfaces", "Ctrl+E", Edit, 6, true},
      {"actEditSplitFace", "&Split Surface", "Split surface from vertex to vertex", "Ctrl+P", Edit, 7, false},
      {"actEditInsertVx", "Insert &Vertex", "Insert a new vertex between two vertices on the same surface", "Ctrl+I",
       Edit, 10, false},
      {"actEditFlipFace", "&Flip Surface", "Flip (reverse vertices order) selected surfaces", "Ctrl+F", Edit, 8,
       false},
      {"actEditMakeSurface", "Ma&ke Surface", "Create a new surface from selected vertices", "Ctrl+K", Edit, 9,
       false},
      {"actEditTranslate", "Tra&nslate...", "Manually translate selected object(s)", "", Edit, 11, true},
      {"actEditMove", "&Move...", "Manually move selected object(s)", "", Edit, 12, false},
      {"actEditRotate", "R&otate...", "Manually rotate selected object(s)", "", Edit, 13, false},
      {"actEditScale", "Sc&ale...", "Manually scale selected object(s)", "", Edit, 14, false},
      {"actEditInsertOffset", "&Insert Offset...", "", "", Edit, 15, true},
      {"actSelClear", "&Clear", "Clear selection", "Ctrl+Backspace", Select, 1, false},
      {"actSelAll", "&All", "Select all objects", "Ctrl+A", Select, 2, false},
      {"actSelInvert", "&Invert", "Invert selection", "", Select, 3, false},
      {"actSelParentNode", "&Parent Node", "Select first selected nodes parent", "Ctrl+Up", Select, 4, true},
      {"actSelChildNode", "C&hild Node", "Select first selected nodes child", "Ctrl+Down", Select, 5, false},
      {"actSelNextSiblingNode", "&Next Sibling Node", "Select first selected nodes next sibling", "Ctrl+Right",
       Select, 6, false},
      {"actSelPrevSiblingNode", "P&revious Sibling Node", "Select first selected nodes previous sibling",
       "Ctrl+Left", Select, 7, false},
      {"actViewWireframe", "&Wireframe", "", "", View, 1, false},
      {"actViewShaded", "&Shaded", "", "", View, 2, false},
      {"actViewTextured", "&Textured", "", "", View, 3, false},
      {"actViewGame", "&Game", "Draw the model as the game does", "", View, 3, false},
      {"actViewRestartGL", "Restart Open&GL", "Restart OpenGL (debug)", "", None, 0, false},
      {"actViewMsg", "M&essages", "Show the history of messages", "", View, 6, false},
      {"actViewFourViews", "Fo&ur Views", "Show the four cameras at once; the mouse acts on the one under it", "",
       View, 4, true},
      {"actViewResetCam", "&Reset Cameras", "Reset views/cameras", "Ctrl+R", View, 4, false},
      {"actViewMaterials", "&Materials...", "", "", View, 5, true},
      {"actViewOption", "&Options...", "", "", View, 6, false},
      // The window puts these under the choice of set on the submenu.
      {"actViewLodAdd", "&Add Level of Detail", "Add a level of detail copying the one shown", "", LevelOfDetail, 0,
       false},
      {"actViewLodCopy", "&Copy Level of Detail...", "Copy the level of detail shown over another", "",
       LevelOfDetail, 0, false},
      {"actViewLodDelete", "&Delete Level of Detail", "Delete the level of detail shown", "", LevelOfDetail, 0,
       false},
      {"actPrimDummy", "&Dummy Node", "Create a dummy node", "", Primitive, 1, false},
      {"actPrimEmptyMesh", "Empty &Mesh", "Create an empty mesh", "", Primitive, 2, false},
      {"actPrimCube", "&Cube...", "Create a Cube primitive", "", Primitive, 3, true},
      {"actPrimPlane", "&Plane...", "Create a Plane primitive", "", Primitive, 4, false},
      {"actPrimCylind", "C&ylinder...", "Create a Cylinder primitive", "", Primitive, 5, false},
      {"actPrimCone", "C&one...", "Create a Cone primitive", "", Primitive, 6, false},
      {"actHelpRegister3DO", "&Register 3DO", "Associate 3DOs with ZARN in windows", "", Help, 1, false},
      {"actHelpAbout", "&About...", "Detailed info on version, OpenGL, etc.", "", Help, 2, true},
      {"actViewFrameSelection", "&Frame Selection", "Fit the camera to the selection, or to the whole model", "F",
       View, 4, false},
      {"actHelpMouseKeys", "&Mouse and Keys", "The mouse and key bindings of the views", "", Help, 1, false},
      {"actPrimSphere", "&Sphere...", "Create a Sphere primitive", "", Primitive, 7, false},
      {"actViewTexCoords", "Te&xture Coordinates", "Show and drag the selected faces' texture coordinates", "", View,
       5, false},
      {"actTexMapView", "Map From Vie&w...", "Project the selected surfaces' texture from the camera shown", "",
       Texture, 1, false},
      {"actTexMapBox", "Map &Box...", "Map each selected surface from the side it faces most", "", Texture, 2, false},
      {"actTexMapCylinder", "Map &Cylinder", "Wrap the texture round the selection's vertical axis", "", Texture, 3,
       false},
      {"actTexFit", "&Fit to Material", "Make the selected surfaces cover their material exactly once", "", Texture, 4,
       true},
      {"actTexMove", "&Move...", "Move the selected surfaces' texture coordinates by texels", "", Texture, 5, false},
      {"actTexScale", "&Scale...", "Scale the selected surfaces' texture coordinates about their middle", "", Texture,
       6, false},
      {"actTexRotate", "&Rotate...", "Turn the selected surfaces' texture coordinates about their middle", "", Texture,
       7, false},
      {"actTexFlipU", "Flip &U", "Mirror the texture left to right", "", Texture, 8, false},
      {"actTexFlipV", "Flip &V", "Mirror the texture top to bottom", "", Texture, 9, false},
      {"actMeshReduce", "&Reduce...", "Lower meshes to a number of faces, keeping their borders and seams", "", Mesh, 2,
       false},
      {"actViewLodGenerate", "&Generate Levels of Detail...", "Fill levels of detail 2 to 4 with reduced copies of the first",
       "", LevelOfDetail, 0, false},
      {"actFitGameLimits", "&Fit to Game Limits", "Cut meshes and faces larger than the game loads into pieces that fit",
       "", Mesh, 1, false},
      {"actFileOpenContainer", "Open &from Container...", "Open a model from inside a .gob or .goo container", "",
       File, 2, false},
  };
  return rows;
}

const std::vector<const char*>& MainMenuCaptions() {
  static const std::vector<const char*> menus = {File, Edit, View, Select, Mesh, Primitive, Texture, Help};
  return menus;
}

std::string PlainCaption(std::string_view caption) {
  std::string plain;
  for (char c : caption)
    if (c != '&') plain += c;
  if (plain.ends_with("...")) plain.resize(plain.size() - 3);
  return plain;
}

std::string StepCaption(std::string_view actionName) {
  for (const TActionRow& row : MainActionRows())
    if (actionName == row.Name) return PlainCaption(row.Caption);
  return std::string(actionName);
}
