#include "cli/CliApp.h"

int main(int argc, char** argv) {
    return tillora::cli::RunCli(argc, argv);
}
