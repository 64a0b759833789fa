// The framework's entry of an MFC program: runs the program's one application object.
#include "afxwinapp.h"

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
