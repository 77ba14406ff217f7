#include "Agreement.h"

#include <gtest/gtest.h>

TEST(Agreement, RecordRules)
{
    struct Case
    {
        std::optional<std::string> stored;
        AgreementState state;
    };
    const Case cases[] = {
        {std::nullopt, AgreementState::NotAccepted},
        {std::string("2.1.0.7"), AgreementState::Accepted},
        {std::string("2.0.0.1"), AgreementState::AcceptedEarlier},
        {std::string("0.0.0.0"), AgreementState::AcceptedEarlier}, // 7 characters
        {std::string("1.0.0."), AgreementState::NotAccepted},      // 6 characters
        {std::string(""), AgreementState::NotAccepted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.value_or("(none)"));
        EXPECT_EQ(c.state, JudgeAgreement(c.stored, "2.1.0.7"));
    }
}
