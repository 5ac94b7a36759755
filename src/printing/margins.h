#pragma once

// The Margins menu: the texts it explains each adjustment with, and the checks of the
// user's answers. The arithmetic on the file is in records/parameter_file.h.

#include <optional>
#include <string>
#include <string_view>

#include "records/notice.h"

namespace qm {

enum class MarginAxis { LeftRight, DownUp };

// The explanation shown before each question, per section ("ONTHEFLY", "BULKLIST",
// "ENVELOPE").
std::string marginExplanation(std::string_view section, MarginAxis axis);

// The question's title and prompt.
std::string marginQuestionTitle(MarginAxis axis);
std::string marginQuestionPrompt(MarginAxis axis);

// The failed check of a non-empty answer ("Number too high." beyond three characters, or
// not a number), or nothing when the answer will do. An empty answer is never checked.
std::optional<Notice> checkMarginAnswer(std::string_view answer, MarginAxis axis);

}  // namespace qm
