#include "commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    clv::cli::Args args(argv, argv + argc);
    return clv::cli::RunCli(args, std::cout, std::cerr);
}
