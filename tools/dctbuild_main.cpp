// dctbuild WORDLIST OUTPUT: writes the spell checker's main dictionary from a word list.
#include <iostream>

#include "tools/DctBuild.h"

int main(int argc, char** argv) { return vx::DctBuildMain(argc, argv, std::cout, std::cerr); }
