// Build step: turns the readable command help source into "Command.info".
#include "console/CommandHelpSource.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gw_helpgen SOURCE.txt Command.info\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "gw_helpgen: cannot read " << argv[1] << '\n';
        return 1;
    }
    const std::string source((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    const gw::CommandHelpSource::Result result = gw::CommandHelpSource::build(source);
    if (!result.ok) {
        std::cerr << argv[1] << ": " << result.error << '\n';
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(result.bytes.data(), static_cast<std::streamsize>(result.bytes.size()));
    out.close();
    if (!out) {
        std::remove(argv[2]); // no half-written help file for the next build to trust
        std::cerr << "gw_helpgen: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
