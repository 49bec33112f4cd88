// The command line as a function, so that it can also run inside another
// program: parses argv (argv[0] is the program name), runs the subcommand
// and returns the exit status. Standard output is expected to be set up
// by the caller (buffering, binary mode).
#pragma once

int RunCommandLine(int argc, char** argv);
