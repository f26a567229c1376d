#include "commands.h"

#include <iostream>
#include <string>

namespace {

int Usage()
{
    std::cerr << "usage: tarvelo-probe sentences FILE\n"
                 "       tarvelo-probe profile FOLDER   (commands on standard input)\n"
                 "       tarvelo-probe type             (sessions on standard input)\n"
                 "       tarvelo-probe game             (games on standard input)\n"
                 "       tarvelo-probe drill            (drill requests on standard input)\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && std::string(argv[1]) == "type")
        return tarvelo::probe::RunType(std::cin, std::cout);
    if (argc == 2 && std::string(argv[1]) == "game")
        return tarvelo::probe::RunGame(std::cin, std::cout);
    if (argc == 2 && std::string(argv[1]) == "drill")
        return tarvelo::probe::RunDrill(std::cin, std::cout);
    if (argc != 3)
        return Usage();
    const std::string command = argv[1];
    if (command == "sentences")
        return tarvelo::probe::RunSentences(argv[2], std::cout);
    if (command == "profile")
        return tarvelo::probe::RunProfile(argv[2], std::cin, std::cout);
    return Usage();
}
