// The interactive input functions (string, integer, real, distance, angle,
// point, corner, keyword) with initget's control bits and keywords, as
// applications and AutoLISP use them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cmd/commandline.h"
#include "host/prompts.h"

namespace cadhost::cmd {

// The requests and answers, as the session's command runner takes them.
using host::GetKind;
using host::GetRequest;
using host::GetResult;
using host::InitGet;

InitGet parse_initget(int bits, const char* keywords);

GetResult get_input(CommandLine& cl, const GetRequest& req, const InitGet& init);

// The keyword an answer stands for, or "" when it matches none.
std::string match_keyword(const std::string& answer, const std::vector<std::string>& keywords);

}  // namespace cadhost::cmd
