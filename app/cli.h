// The command line and the game's word to the player: what the arguments ask for, and the
// messages the game prints (in a message box too on Windows, where there is no terminal).
#pragma once

#include <cstdio>
#include <string>

// What the arguments ask of the game.
enum class Answer {
    Play,      // no argument: open the window and play
    Done,      // --help or --version answered; end with status 0
    Misused,   // an argument the game does not take was named; end with status 2
    Unwritten, // the answer to --help or --version could not be written; end with status 1
};

// Called by main first of all, before anything is started: answers --help, -h and --version
// on stdout and a wrong argument on stderr; an answer that could not be written all the way
// (a full disk, a closed pipe) is said on stderr, as GNU programs do.
Answer answerArguments(int argc, char** argv);

// Called by start-up wherever the player must be told something: writes `text` to `stream`
// (stdout or stderr) and, on Windows, shows it in a message box as well.
void tell(const std::string& text, std::FILE* stream);
