#include "tool/ToolCommand.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Glimwerk Console"));
    QCoreApplication::setOrganizationName(QStringLiteral("Ostvane"));
    std::vector<std::string> args(argv + 1, argv + argc);
    return gw::tool::runTool(args, std::cout, std::cerr);
}
