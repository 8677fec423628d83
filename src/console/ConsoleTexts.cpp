#include "console/ConsoleTexts.h"

namespace gw {

std::string CommandLineHelpText() {
    return "GWConsole accepts command line parameters:\r\n"
           "   /sn - where n is 1..4 and indicates the hardware version\r\n"
           "   /c7 or /c8 - selects serial transmission (7 or 8 bit)\r\n"
           "default setting is 6600 system with 7bit serial transmission";
}

std::string WelcomeText(const WelcomeFacts& facts) {
    std::string text = "Welcome to " + facts.productName + "\n";
    text += "version " + facts.version + "\n\n";
    text += "running on " + facts.platformFamily + "\n\n";
    if (facts.profileFile.empty()) {
        text += "no system profile loaded\n";
    } else {
        text += "system profile " + facts.profileFile + "\n";
        text +=
            "profile name: " + (facts.profileName.empty() ? "(none)" : facts.profileName) + "\n";
    }
    text += "\n" + facts.date + "\n\n";
    text += "click here to see the command help";
    return text;
}

} // namespace gw
