#pragma once

class BrindleArgParse;

// Runs what a parsed command line asks for: definitions, -load files, then the script text.
// Returns the exit status.
int runScripts(const BrindleArgParse &parser);
