#pragma once
#include <string_view>

class TModel;

// The text of an OBJ file imported as ImportObj does: one new node and mesh, "dflt.mat"
// faces. Raises EConvertError or EListError at genuinely bad content, keeping what was added.
void ImportObjText(TModel& model, std::string_view text);
