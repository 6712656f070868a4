#pragma once
#include "document/Core.h"

// Counts the document's change events by kind, as the windows would receive them.
class TChangeCounter {
 public:
  explicit TChangeCounter(TCore& core) : Core(core) {
    Id = core.Events.Subscribe([this](unsigned changes) {
      Rebuilds += (changes & chGeometry) != 0;
      Replays += (changes & chSelection) != 0;
      TreeFills += (changes & chHierarchy) != 0;
      PropertyUpdates += (changes & chProperties) != 0;
      MaterialListFills += (changes & chMaterials) != 0;
      Replacements += (changes & chModel) != 0;
    });
  }
  ~TChangeCounter() { Core.Events.Unsubscribe(Id); }
  TChangeCounter(const TChangeCounter&) = delete;
  TChangeCounter& operator=(const TChangeCounter&) = delete;

  int Rebuilds = 0, Replays = 0, TreeFills = 0, PropertyUpdates = 0, MaterialListFills = 0, Replacements = 0;

 private:
  TCore& Core;
  int Id = 0;
};
