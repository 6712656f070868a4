#pragma once
#include <QApplication>

#include "view/GLFormat.h"

// The benchmark process's one application, made on first use with the GL format that the
// viewports need, and outliving every window the benchmarks keep in statics. It is never
// destroyed: at exit Qt's own statics go first, and an application torn down after them
// crashes the process once the figures are printed.
inline QApplication& BenchApp() {
  static int argc = 1;
  static char arg0[] = "zarn_bench";
  static char* argv[] = {arg0, nullptr};
  [[maybe_unused]] static const bool formatSet = (UseCompatibilityGLFormat(), true);
  static QApplication* const app = new QApplication(argc, argv);
  return *app;
}
