#include "base/program_main.h"
#include "preview/preview_run.h"

int main(int argc, char** argv) { return veskaro::run_main(argc, argv, veskaro::preview::run_preview); }
