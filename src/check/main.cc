#include "base/program_main.h"
#include "check/check_run.h"

int main(int argc, char** argv) {
    return veskaro::run_main(argc, argv, veskaro::check::run_check, veskaro::check::kCouldNotRun);
}
