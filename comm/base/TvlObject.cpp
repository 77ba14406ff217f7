#include "TvlObject.h"

CTvlObject::~CTvlObject() = default;
