// The sibling programs that only need to be there (the dialler, the call history): each logs its
// command line and ends.
#include "app/standins/support/Standin.h"

int main(int argc, char** argv) { return standin::BeginProgram(argc, argv) ? 0 : 2; }
