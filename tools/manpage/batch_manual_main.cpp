// Writes lumora-batch's manual page from its --help text: batch_manual VERSION DATE OUT

#include "batch/help_text.h"
#include "tools/manpage/roff_manual.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: batch_manual VERSION DATE OUTPUT\n";
        return 2;
    }
    const lumora::tools::ManualHeader header{"lumora-batch", 1, argv[2],
                                             std::string("Lumora ") + argv[1], "User Commands"};
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out << lumora::tools::roffManual(header, lumora::batch::helpText());
    out.close();
    if (!out) {
        std::cerr << "batch_manual: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
