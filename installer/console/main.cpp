#include <iostream>

#include "installer/console/console.h"
#include "installer/console/native_text.h"

int main(int argc, char** argv) {
    using namespace pellwise;
    ConsoleIo io{std::cout, std::cerr, std::cin, StdinAndStderrAreTerminals(), CurrentFolder()};
    const int status = RunConsole(Utf8Arguments(argc, argv), io);
    std::cout.flush();
    return status;
}
