#include "view/RunGuarded.h"

#include <cstdio>
#include <new>
#include <string>

void ReportCommandError(TUserServices& services, std::string_view doing, const std::exception& error) noexcept {
  try {
    if (dynamic_cast<const std::bad_alloc*>(&error))
      services.ShowError("Out of memory while " + std::string(doing) + "; the command was stopped.");
    else
      services.ShowError(error.what());
  } catch (...) {
    std::fputs("Out of memory: a command was stopped\n", stderr);
  }
}
