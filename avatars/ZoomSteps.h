// The rectangles of a zoom: an outline that travels from a start rectangle
// to an end rectangle in n steps, growing or shrinking on the way. Step 0
// is the start, step n the end; the steps between move by equal increments
// of left, top, width and height.
#pragma once
#include <cstdint>
#include <optional>

struct ZoomRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const ZoomRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

class CZoomSteps {
public:
    static constexpr int32_t kMinSteps = 2;

    // xSign and ySign give the direction of travel, sizeSign whether the
    // outline grows (+1) or shrinks (-1); speed is in pixels per step (a
    // speed below 1 counts as 1).
    void Setup(const ZoomRect& start, const ZoomRect& end, int32_t sizeSign, int32_t xSign,
               int32_t ySign, int32_t speed);
    // The direction signs that lead from start to end: +1 when the start's
    // left (top) is less than the end's, else -1.
    static int32_t SignTowards(int32_t from, int32_t to) { return from < to ? 1 : -1; }

    int32_t Count() const { return m_count; }
    // The rectangle of step k (0..Count()); none after the last.
    std::optional<ZoomRect> StepRect(int32_t k) const;

private:
    ZoomRect m_start;
    ZoomRect m_end;
    int32_t m_sizeSign = 1;
    int32_t m_xSign = 1;
    int32_t m_ySign = 1;
    int32_t m_count = kMinSteps;
    double m_leftStep = 0;
    double m_topStep = 0;
    double m_widthStep = 0;
    double m_heightStep = 0;
};
