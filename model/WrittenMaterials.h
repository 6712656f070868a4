#pragma once
#include <vector>

class TMaterial;
class TModel;
class TNode;

// The materials a written 3DO file names, in the order that numbers them: every material of
// the model but one held only by default (see TMaterial::ByDefault) that no face of these
// nodes uses in any level of detail. Linear in the faces when such a material exists.
std::vector<TMaterial*> WrittenMaterials(const TModel& model, const std::vector<TNode*>& nodes);
// The model's materials as a save of the whole model writes them, and as every list and
// report shows them.
std::vector<TMaterial*> WrittenMaterials(const TModel& model);
