#pragma once
#include <functional>
#include <string>
#include <vector>

#include "document/CommandResult.h"
#include "model/Vertex.h"

class TCore;

// A 3DO file is read back in single precision, so a position beyond that range would be saved
// as a number no reader takes. Commands hold what they are about to store against the range
// before they change anything, and refuse with an error box when it does not fit.

// The refusal: "`doer` would put `what` beyond the range a 3DO file can hold ...".
TCommandResult RefuseBeyondFileRange(TCore& core, const std::string& doer, const std::string& what);
// Done when `result` of every listed vertex fits; otherwise refuses, naming the first that
// does not.
TCommandResult ResultsFit(TCore& core, const std::string& doer, const std::vector<TVertex*>& list,
                const std::function<TVector(const TVertex&)>& result);
