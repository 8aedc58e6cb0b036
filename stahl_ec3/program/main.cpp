// stahl_ec3 Bauteilkennung Icon-Id File-Id Pos-Id [-refresh]: the member program.
#include "stahl_ec3/stahl_ec3.h"

int main(int argc, char **argv) { return Stahl_EC3_Main(argc, argv); }
