#include "editing/NodeName.h"

#include "editing/NameCheck.h"

std::string CheckNodeName(std::string_view name) { return CheckName(name, "node", false); }
