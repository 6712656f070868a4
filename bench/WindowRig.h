#pragma once
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QWindow>
#include <memory>

#include "app/MainWindow.h"
#include "bench/BenchApp.h"
#include "document/Core.h"
#include "view/Builder.h"
#include "view/GLArea.h"

// The program's window at 800 x 600, started as main() starts it, with the services given.
template <class TServices>
struct TWindowRig {
  TWindowRig() {
    BenchApp();
    Core = std::make_unique<TCore>(Services);
    Window = std::make_unique<TMainWindow>(*Core);
    Services.SetMainWindow(Window.get());
    Window->resize(800, 600);
    Window->show();
    for (int i = 0; i < 200 && !Window->windowHandle()->isExposed(); ++i)
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    Window->FirstActivation();
  }
  ~TWindowRig() { Services.SetMainWindow(nullptr); }
  bool Ready(benchmark::State& state) const {
    if (!qEnvironmentVariableIsSet("DISPLAY") || !Window->Builder() || !Window->Builder()->glaMain->Active()) {
      state.SkipWithError("no display or no OpenGL context: run under xvfb-run");
      return false;
    }
    return true;
  }
  // Times Select All in the current edit mode, from the menu command to the paints it asked
  // the event loop for (the view's, the tree's, the panel's).
  void TimeSelectAll(benchmark::State& state) {
    QApplication::processEvents();
    QAction* selectAll = Window->Action("actSelAll");
    for (auto _ : state) {
      selectAll->trigger();
      QApplication::processEvents();
    }
    state.counters["selected"] = Core->SelectedCount();
  }
  TServices Services;
  std::unique_ptr<TCore> Core;
  std::unique_ptr<TMainWindow> Window;
};
