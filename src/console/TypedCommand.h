#pragma once

#include "console/CommandConsoleLink.h"

#include <string>

namespace gw {

// What became of a command the operator typed and entered.
enum class TypedCommandOutcome {
    Empty,         // nothing was typed
    SentToReader,  // sent and logged; the field empties and the command list is shown
    SentToScanner, // sent to the laser scanner; the field empties
    NotSent,       // the port is closed; the text stays in the field
};

// A typed letter "a" to "z" becomes upper case; other characters stay.
char UpperCaseCommandLetter(char c);

// Sends the command field's text: to the reader with its closing blank (logged, with the purge
// switch and the counter channels following the command), or a "]" text to the scanner with CR.
TypedCommandOutcome SubmitTypedCommand(const std::string& text, CommandConsoleLink& link);

} // namespace gw
