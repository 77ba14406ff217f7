#include "Agreement.h"

namespace {

constexpr size_t kShortestVersionText = 7;

} // namespace

AgreementState JudgeAgreement(const std::optional<std::string>& stored,
                              std::string_view identifier)
{
    if (!stored)
        return AgreementState::NotAccepted;
    if (*stored == identifier)
        return AgreementState::Accepted;
    if (stored->size() >= kShortestVersionText)
        return AgreementState::AcceptedEarlier;
    return AgreementState::NotAccepted;
}
