#pragma once

#include <string>

namespace gw {

// Fixed texts of the main window.

// "Command line parameters": caption and text of the information message.
inline constexpr const char* CommandLineHelpCaption = "GWConsole Help";
std::string CommandLineHelpText();

// What the welcome panel names.
struct WelcomeFacts {
    std::string productName = "Glimwerk Console";
    std::string version = "3.0";
    std::string platformFamily; // the operating system's name
    std::string profileFile;    // empty when no profile was found
    std::string profileName;
    std::string date; // today, in the operator's format
};

// The welcome panel's text, one item a line.
std::string WelcomeText(const WelcomeFacts& facts);

// "Display help file" failures, shown with the caption "Open Error".
inline constexpr const char* HelpFileErrorCaption = "Open Error";
inline constexpr const char* HelpFileNoApplication =
    "There is no application associated with '.htm' extension.";
inline constexpr const char* HelpFileOpenFailed =
    "There was an error while opening the file: Console_help.htm.";

} // namespace gw
