#include "ParticipateBlink.h"

namespace ParticipateBlink {

int NextState(int state) {
  if (state == 0) return 2;
  if (state == 2) return 0;
  return state;
}

}  // namespace ParticipateBlink
