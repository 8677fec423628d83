#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::fputs("usage: gwtool COMMAND [ARGS...]\n", stderr);
    return argc > 1 ? 2 : 0;
}
