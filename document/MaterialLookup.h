#pragma once
#include <functional>
#include <string>

class TCore;
class TModel;

// Whether a material of the document's model would be found, asked as the game-readiness
// check asks it: beside the model, in its "Mat" folder or in the listed containers.
std::function<bool(const std::string&)> MaterialFinder(TCore& core);

// Makes every material of the document's model load itself from there when it is added.
void InstallMaterialLoader(TCore& core);
// The same for a model read beside the document's, looked up by that model's file name.
void InstallMaterialLoader(TCore& core, TModel& model);
