// The replicated tree as JSON, for the driver's "tree" command.
#pragma once

#include <string>

class CTvlBlob;
class CZrObject;
class CZrPosition;

// {"id", "name", "kind", "position", and "host" and "children" for groups}.
std::string DriverTreeJson(CZrObject& object);
// null, {"seat": n}, {"x": x, "y": y} or {"name": text}.
std::string DriverPositionJson(const CZrPosition& position);
// The bytes of a blob as a JSON string, or null without one.
std::string DriverBlobJson(const CTvlBlob* blob);
