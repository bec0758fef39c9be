// The program's entry: everything else is the application's.
#include "app/application.h"

int main() { return runApplication(); }
