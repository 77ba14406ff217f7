// The blink of the participate window: the visual state that the next tick
// of its timer shows. Portable.
#pragma once

namespace ParticipateBlink {

// A pressed (1) or disabled (3) window keeps its state; up (0) and lit (2)
// take turns.
int NextState(int state);

}  // namespace ParticipateBlink
