#pragma once

class TCore;
struct TQueryForm;

// View > Level of Detail > Generate...: levels of detail 2 to 4 become copies of the first
// with each mesh reduced (see ReduceMesh) to the percentage of its faces asked for, 50, 25
// and 12 by default; the first set is then shown. Sets beyond the fourth go.
void actViewLodGenerate(TCore& core);
extern const TQueryForm kLodGenerateQuery;
