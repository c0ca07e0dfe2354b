// The game's main: where the log and the settings file live, the working folder, the crash
// hooks, the "-visit" option, and the run of the application with the report of a failure.
//
//     int main(int argc, char** argv) { return gameMain(argc, argv, &makeGameApp); }
//
// The log ("dbd.log") and the settings ("dbdconfig.dat") are in the per-user folder
// "Quillmoor/DustbowlDolly/"; a log larger than 32768 bytes is deleted before the run's first
// line. The working folder becomes the program's own, where the packs are. The log gets
//     (empty line)
//     M: == STARTUP ==
//     M: chdir(<program folder>)
//     M: CWD <current folder>
//     M: initSignals
//     M: Have args                     (with arguments)
// and at the end "M: == END ==" and an empty line. "-visit" as the first argument opens the
// product's page and ends without a window ("M: After launch [-visit]"). Every argument goes to
// the application (GameApp::setArguments).
//
// An RIR::Exception out of the application (its constructor and destructor included) is written
// between two banners with the exception's call trace:
//     M: ******************** EXCEPTION ********************
//     M:
//     M: Error : <message> [<file>:<line>]
//     M:
//     M: ----- Stack trace -----
//     ...
//     M:
//     M: ***************************************************
// then the platform is shut down and the log report sent; the application is not deleted. The
// result is 0 on every path.
#ifndef DBD_SHELL_GAMEMAIN_H
#define DBD_SHELL_GAMEMAIN_H

class GameApp;

// The per-user folder of the log and the settings file, and the file-name prefix.
#define DBD_DATA_SUBFOLDER "Quillmoor/DustbowlDolly"
#define DBD_FILE_PREFIX "dbd"
// The log is deleted at start-up when it is larger than this.
constexpr long DBD_LOG_SIZE_LIMIT = 32768;

// Makes the application to run.
typedef GameApp* (*AppFactory)();

// argv[0] is the program; the rest are the arguments. Returns 0, or 1 when an exception ended the
// game (it is reported in the log between the exception banners).
int gameMain(int argc, char** argv, AppFactory pfnMakeApp);

// Deletes the file when it is larger than nLimit bytes; a missing file is left alone.
void trimLogFile(const char* pszPath, long nLimit);

#endif
