#include "runner/brindleargparse.h"
#include "runner/reporter.h"
#include "runner/runsequence.h"

#include <csignal>
#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    // A write past the file size limit must fail like a full disk, so that the writer cleans up
    // and answers false, instead of killing the process with its temporary file left behind.
    signal(SIGXFSZ, SIG_IGN);
    Reporter reporter(argc > 0 ? argv[0] : "");
    try {
        BrindleArgParse parser;
        if (argc < 2)
            BrindleArgParse::printHelpAndExit();
        parser.parse(argc - 1, argv + 1, 1);
        // Every option error has been reported by now; none of the script is worth running.
        if (reporter.errorCount != 0)
            return 1;
        return runScripts(parser);
    } catch (...) {
        fputs("Internal error detected\n", stderr);
        return 1;
    }
}
