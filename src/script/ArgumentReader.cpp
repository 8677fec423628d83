#include "script/ArgumentReader.h"

#include "script/ScriptLexer.h"

namespace gw {

ArgumentValue ArgumentReader::Next() {
    const std::string token = NextToken(arguments_, pos_);
    if (token.empty()) {
        return {};
    }
    return EvaluateArgument(token, variables_, prompter_);
}

} // namespace gw
