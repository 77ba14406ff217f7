// Where the next dialog of one kind opens: each is moved right and down by
// 20 pixels more than the one before, and the sixth starts over.
#pragma once

#include <cstdint>

class DialogCascade
{
public:
    static constexpr int32_t kStep = 20;
    static constexpr int32_t kPlaces = 5;

    // The offset of the next dialog, in pixels along both axes.
    int32_t Next();

private:
    int32_t m_place = 0;
};
