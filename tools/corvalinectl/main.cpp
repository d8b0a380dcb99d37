#include <iostream>

#include "cli.h"

int main(int argc, char** argv) { return corvaline::cli::Main(argc, argv, std::cout, std::cerr); }
