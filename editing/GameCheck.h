#pragma once
#include <functional>
#include <string>
#include <vector>

class TModel;

// Whether a material's file is where the game's resources would be; see MaterialFinder.
using TMaterialFound = std::function<bool(const std::string& name)>;

// Every way in which the model breaks what the game's loader accepts, one line each naming
// the place; empty when the game loads the model. The loader refuses or misreads larger
// meshes, odd faces and long or spaced names, and a single missing material makes the whole
// model fail, so materials are asked of `found` (none are checked without one). Reads only:
// the model is left as it was. Linear in the size of the model.
std::vector<std::string> CheckForGame(const TModel& model, const TMaterialFound& found);
