// A C++ program that starts, writes one line and ends, linked against the
// same shared libraries as the generator: the least that any such program
// costs to run on this machine.
#include <iostream>

int main() {
    std::cout << "done\n";
    return 0;
}
