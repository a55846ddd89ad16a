#include "base/program_main.h"
#include "post/post_run.h"

int main(int argc, char** argv) { return veskaro::run_main(argc, argv, veskaro::post::run_post); }
