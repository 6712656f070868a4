#pragma once
// KEY animations written for the tests, with the values each frame comes to worked by hand.
#include <string>

namespace key_test {

// Two nodes over 20 frames at 10 frames a second.
// Node 0 "torso": from frame 0 it moves 0.01 along x and turns 9 degrees of yaw a frame
// (flags 3); at frame 10 it stands at x 0.1, yaw 90, its deltas unused (flags 0).
// Node 1 "head": one entry at frame 4, pitch 30 turning 30 a frame (flags 2: the position
// keeps (0, 0, 0.1) although its deltas are not zero).
inline std::string TwoNodeKey(const std::string& joints = "2") {
  return "# made for the tests\n"
         "SECTION: HEADER\n"
         "FLAGS 0x0014\n"
         "TYPE 0x00ff\n"
         "FRAMES 20\n"
         "FPS 10.0\n"
         "JOINTS " + joints + "\n"
         "\n"
         "SECTION: MARKERS\n"
         "MARKERS 2\n"
         "5.0 0\n"
         "15 1\n"
         "\n"
         "section: keyframe nodes\n"
         "NODES 2\n"
         "NODE 0\n"
         "MESH NAME torso\n"
         "ENTRIES 2\n"
         "  0:  0 0x0003  0 0 0  0 0 0\n"
         "         0.01 0 0  0 9 0\n"
         "  1: 10 0x0000  0.1 0 0  0 90 0\n"
         "         5 5 5  5 5 5   # unused: flags 0\n"
         "NODE 1\n"
         "MESH NAME head\n"
         "ENTRIES 1\n"
         "\t0:\t4\t2\t0 0 0.1\t30 0 0\n"
         "\t\t1 1 1\t30 0 0\n";
}

}  // namespace key_test
