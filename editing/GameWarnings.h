#pragma once
#include <string>
#include <vector>

class TModel;

// What the game loads but never draws: every mesh of geometry mode 0 (the game skips it whole)
// and, in the other meshes, faces of geometry mode 0, one line each naming the place. These
// do not stop a save, unlike CheckForGame's breaches. Reads only; linear in the faces.
std::vector<std::string> GameWarnings(const TModel& model);

// The warning for a model kept in a container's entry outside "3do\", where the game never
// looks for one; empty for an entry in its place.
std::string ModelEntryWarning(const std::string& entry);
