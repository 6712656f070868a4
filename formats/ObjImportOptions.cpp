#include "formats/ObjImportOptions.h"

#include <string>

#include "model/Convert.h"
#include "model/Errors.h"

void SetObjScale(TObjImportOptions& options, std::string_view text) {
  if (text == "fit") {
    options.Fit = true;
    return;
  }
  const double factor = StrToFloat(text);
  // Zero would fold the mesh into a point, and a negative factor turn it inside out.
  if (!(factor > 0)) throw EConvertError("'" + std::string(text) + "' is not a valid scale factor: it must be above 0");
  options.Fit = false;
  options.Scale = factor;
}
