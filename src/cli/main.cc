#include "base/program_main.h"
#include "cli/run.h"

int main(int argc, char** argv) { return veskaro::run_main(argc, argv, veskaro::run); }
