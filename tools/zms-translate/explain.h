// The lines --explain prints for a query: one per pass of the translation.
#pragma once
#include <string>
#include <vector>

#include "query/query_translator.h"

namespace zms {

std::string ExplainSteps(const std::vector<TranslationStep>& steps);

}  // namespace zms
