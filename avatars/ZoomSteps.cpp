#include "ZoomSteps.h"

#include <cmath>

void CZoomSteps::Setup(const ZoomRect& start, const ZoomRect& end, int32_t sizeSign,
                       int32_t xSign, int32_t ySign, int32_t speed) {
    m_start = start;
    m_end = end;
    m_sizeSign = sizeSign < 0 ? -1 : 1;
    m_xSign = xSign < 0 ? -1 : 1;
    m_ySign = ySign < 0 ? -1 : 1;
    const double dl = std::fabs(double(start.left) - end.left);
    const double dt = std::fabs(double(start.top) - end.top);
    const double distance = std::sqrt(dl * dl + dt * dt);
    const double steps = std::trunc(distance / (speed < 1 ? 1 : speed));
    m_count = steps < kMinSteps ? kMinSteps : steps > 1e6 ? 1000000 : static_cast<int32_t>(steps);
    const double d = m_count + 1.0;
    m_leftStep = dl / d;
    m_topStep = dt / d;
    m_widthStep = std::fabs(double(start.Width()) - end.Width()) / d;
    m_heightStep = std::fabs(double(start.Height()) - end.Height()) / d;
}

std::optional<ZoomRect> CZoomSteps::StepRect(int32_t k) const {
    if (k < 0 || k > m_count) return std::nullopt;
    if (k == 0) return m_start;
    if (k == m_count) return m_end;
    ZoomRect rect;
    rect.left = m_start.left + static_cast<int32_t>(std::trunc(m_xSign * m_leftStep * k));
    rect.top = m_start.top + static_cast<int32_t>(std::trunc(k * m_ySign * m_topStep));
    rect.right = rect.left + m_start.Width() +
                 static_cast<int32_t>(std::trunc(k * m_sizeSign * m_widthStep));
    rect.bottom = rect.top + m_start.Height() +
                  static_cast<int32_t>(std::trunc(k * m_sizeSign * m_heightStep));
    return rect;
}
