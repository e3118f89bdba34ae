// vxtbuild SOURCE OUTPUT: writes a tag definition file from its readable source.
#include <iostream>

#include "tools/VxtBuild.h"

int main(int argc, char** argv) { return vx::VxtBuildMain(argc, argv, std::cout, std::cerr); }
