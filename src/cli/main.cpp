#include "cli/CliApp.h"
#include "cli/Terminal.h"

int main(int argc, char** argv) {
    tillora::cli::PrepareStandardStreams();
    return tillora::cli::RunCli(tillora::cli::Utf8Arguments(argc, argv));
}
