// The rule for the user agreement record: the engine version for which the
// user last accepted the agreement.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class AgreementState
{
    Accepted,         // the record holds this version
    AcceptedEarlier,  // an earlier version was accepted; record this one
    NotAccepted,      // no record, or too short a text to be a version
};

// Texts of more than 6 characters count as an accepted version.
AgreementState JudgeAgreement(const std::optional<std::string>& stored,
                              std::string_view identifier);
