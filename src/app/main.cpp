#include "app/application.h"

int main(int argc, char** argv) { return qm::runApplication(argc, argv); }
