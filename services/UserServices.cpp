#include "services/UserServices.h"

const std::vector<std::string>& ModelFilter() {
  static const std::vector<std::string> filter = {
      "All Supported files (*.3do, *.gob, *.goo)|*.3do;*.gob;*.goo",
      "Jedi Knight Model (*.3do)|*.3do",
      "Jedi Knight Container (*.gob, *.goo)|*.gob;*.goo"};
  return filter;
}

const std::vector<std::string>& ImportFilter() {
  static const std::vector<std::string> filter = {"Wavefront Object (*.obj)|*.obj"};
  return filter;
}

const std::vector<std::string>& ContainerFilter() {
  static const std::vector<std::string> filter = {"Jedi Knight Container (*.gob, *.goo)|*.gob;*.goo"};
  return filter;
}
