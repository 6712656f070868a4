#pragma once
#include <map>
#include <string>

// The uv: steps of zarn-cli edit are the Texture menu's actions with their dialogs answered.
struct TTextureStep {
  std::string Action;
  std::map<std::string, std::string> Answers;
};

// The action for the text after "uv:"; false with `error` saying why when it is none.
bool ParseTextureStep(const std::string& text, TTextureStep& step, std::string& error);
