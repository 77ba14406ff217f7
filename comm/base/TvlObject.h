// Root class of the communication library.
#pragma once

// Every library class derives from CTvlObject so that owning containers can
// delete their members through one virtual destructor.
class CTvlObject {
public:
    CTvlObject() = default;
    CTvlObject(const CTvlObject&) = default;
    CTvlObject& operator=(const CTvlObject&) = default;
    virtual ~CTvlObject();
};
