#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "formats/Gob.h"

// The rows of the open-animation-from-container list: the file name of every ".key" entry
// of the container's "3do\key\" folder, in directory order.
std::vector<std::string> ContainerKeyRows(const TGob& gob);
// The entry "3do\key\" + row, compared without regard to case; false when there is none.
bool FindContainerKey(const TGob& gob, std::string_view row, TGobItem& item);

// The same for the puppets: the ".pup" entries of "misc\pup\".
std::vector<std::string> ContainerPuppetRows(const TGob& gob);
bool FindContainerPuppet(const TGob& gob, std::string_view row, TGobItem& item);
