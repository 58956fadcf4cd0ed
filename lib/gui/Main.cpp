// The process entry point of every program built on the library: the
// program supplies only its global application object.
#include "gui/Application.h"

int main(int argc, char** argv) { return Vell::runApplication(argc, argv); }
