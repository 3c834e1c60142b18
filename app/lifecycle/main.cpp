#include "app/lifecycle/QuillmarrowApp.h"

int main(int argc, char* argv[])
{
    return qm::QuillmarrowApp::main(argc, argv);
}
