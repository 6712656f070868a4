#pragma once
#include <functional>
#include <utility>
#include <vector>

// What a change touched, as bits: the windows subscribe and refresh what shows it.
enum TChange : unsigned {
  chGeometry = 1u << 0,    // how the model looks: the views draw it anew
  chSelection = 1u << 1,   // which objects are selected: the views draw their marks again
  chProperties = 1u << 2,  // what the property panel shows: the selection or its values
  chHierarchy = 1u << 3,   // nodes added, removed, renamed or moved in the hierarchy
  chMaterials = 1u << 4,   // the material list
  chFileName = 1u << 5,    // the model's file name
  chHistory = 1u << 6,     // undo and redo steps, or the modified mark
  chModel = 1u << 7,       // another model took the place of the one shown: what belonged to
                           // the old one (an animation, a tool's state) is let go
};

// The subscribers to a document's changes. Handlers run in the order they subscribed.
class TChangeEvents {
 public:
  using THandler = std::function<void(unsigned changes)>;
  int Subscribe(THandler handler) {
    Handlers.emplace_back(++LastId, std::move(handler));
    return LastId;
  }
  void Unsubscribe(int id) { std::erase_if(Handlers, [id](const auto& h) { return h.first == id; }); }
  void Announce(unsigned changes) const {
    // A handler may subscribe or leave while it runs, so each runs from a copy of the list.
    const auto handlers = Handlers;
    for (const auto& [id, handler] : handlers) handler(changes);
  }

 private:
  std::vector<std::pair<int, THandler>> Handlers;
  int LastId = 0;
};
