#include "cli/TextureSteps.h"

#include <algorithm>

namespace {

// "A,B" into two answers; false when it is not two values.
bool Pair(const std::string& text, const char* first, const char* second, TTextureStep& step) {
  const auto comma = text.find(',');
  if (comma == std::string::npos || comma == 0 || comma + 1 == text.size() ||
      text.find(',', comma + 1) != std::string::npos)
    return false;
  step.Answers[first] = text.substr(0, comma);
  step.Answers[second] = text.substr(comma + 1);
  return true;
}

}  // namespace

bool ParseTextureStep(const std::string& text, TTextureStep& step, std::string& error) {
  const auto colon = text.find(':');
  const std::string verb = text.substr(0, colon);
  const bool hasValue = colon != std::string::npos;
  const std::string value = hasValue ? text.substr(colon + 1) : std::string();
  step = {};
  if (verb == "view" && (value == "top" || value == "front" || value == "side")) {
    step = {"actTexMapView", {{"View", value}}};
  } else if (verb == "box" && (!hasValue || !value.empty())) {
    step.Action = "actTexMapBox";
    if (hasValue) step.Answers["Density"] = value;
  } else if ((verb == "cylinder" || verb == "fit") && !hasValue) {
    step.Action = verb == "fit" ? "actTexFit" : "actTexMapCylinder";
  } else if (verb == "move" && Pair(value, "DU", "DV", step)) {
    step.Action = "actTexMove";
  } else if (verb == "scale" && Pair(value, "SU", "SV", step)) {
    step.Action = "actTexScale";
  } else if (verb == "rotate" && !value.empty()) {
    step = {"actTexRotate", {{"Degrees", value}}};
  } else if (verb == "flip" && (value == "u" || value == "v")) {
    step.Action = value == "u" ? "actTexFlipU" : "actTexFlipV";
  } else {
    error = "unknown step 'uv:" + text +
            "' (uv:view:top|front|side, uv:box[:DENSITY], uv:cylinder, uv:fit, uv:move:DU,DV, uv:scale:SU,SV, "
            "uv:rotate:DEG, uv:flip:u|v)";
    return false;
  }
  return true;
}
