#pragma once
#include <string>
#include <vector>

// One move of a puppet's mode: the animation the game plays for it.
struct TPuppetSubmode {
  std::string Name;  // one of the game's move names ("stand", "fire2"), in lower case
  std::string Key;   // the KEY's file name, loaded from "3do\key\"; "none" for no animation
  unsigned Flags = 0;
  int LowPriority = 0;
  int HighPriority = 0;
};

// A mode's moves, those of the mode it is based on first, each move once: a line naming a
// move again takes the earlier one's place.
struct TPuppetMode {
  int Mode = 0;
  int BasedOn = -1;  // -1: started empty
  std::vector<TPuppetSubmode> Submodes;
};

// A body part (0 to 9) and the hierarchy node that plays it.
struct TPuppetJoint {
  int BodyPart = 0;
  int Node = 0;
};

// A puppet (.pup): which animation the game plays for each move of each mode, and which
// nodes are the body parts.
struct TPuppet {
  std::vector<TPuppetMode> Modes;  // in the order the file starts them
  std::vector<TPuppetJoint> Joints;
  int IgnoredLines = 0;  // lines naming no move of the game, which the game passes over
};
