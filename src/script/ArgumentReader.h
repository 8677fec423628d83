#pragma once

#include "script/ArgumentEvaluation.h"

#include <cstddef>
#include <string>

namespace gw {

// Reads a command's arguments one token at a time, each evaluated against the script's
// variables.
class ArgumentReader {
public:
    ArgumentReader(sc_Table<sc_Variable>& variables, Prompter& prompter)
        : variables_(variables), prompter_(prompter) {}

    void Start(std::string arguments) {
        arguments_ = std::move(arguments);
        pos_ = 1;
    }
    // The next argument, evaluated; not ok after the last one.
    ArgumentValue Next();

private:
    sc_Table<sc_Variable>& variables_;
    Prompter& prompter_;
    std::string arguments_;
    std::size_t pos_ = 1;
};

} // namespace gw
