#pragma once
// A puppet written for the tests, with what it comes to worked by hand.
#include <string>

namespace pup_test {

// Mode 0: stand kystand.key (flags 0, priorities 1/2), walk kywalk.key (0x14, 1/1), fire none.
// Mode 1 as mode 0, but walk kyrun.key (0x28, 3/4), and fire2 kystand.key (0, 0/0); mode 2 as
// mode 1. Body part 0 is node 2 (listed last), 1 is node 5. Two lines name no move of the game.
inline std::string ThreeModePuppet() {
  return "# A puppet made for the tests.\nMODE=0\n"
         "stand        kystand.key  0x0   1 2   # both priorities\n"
         "walk         KYWalk.KEY   14    1     # HIPRI is LOWPRI\n"
         "Fire         none\n"
         "taunt        kytaunt.key  0     0 0   # no move of the game\n\n"
         "mode=1, basedon=0\n"
         "walk\tkyrun.key\t0x28\t3\t4          # in mode 0's walk's place\n"
         "fire2        kystand.key\n\n"
         "joints\n0=4\n1 = 5\n0=2\nend\n\n"
         "mode=2,basedon=1\nwave         kywave.key\n";
}

}  // namespace pup_test
