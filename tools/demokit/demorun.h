// The run of a demo application from main: log, application, screenshot and errors.
#pragma once

#include <functional>
#include <string>

class GameApp;

namespace demokit
{

// What runDemo needs to know about the demo.
struct DemoRun
{
    const char* pszProgram = "demo"; // the prefix of the messages on standard error
    std::string sLog;                // the application log
    std::function<GameApp*()> create; // makes the application (owned by runDemo)
    // After the application's run: prints what it did; may be empty.
    std::function<void(GameApp*)> report;
    // With a screenshot path: takes the last frame and writes it; false when that failed.
    std::function<bool(GameApp*)> screenshot;
};

// Opens the log, turns saving off, creates and runs the application, reports, takes the
// screenshot and deletes the application. An engine error is printed as
// "<program>: <class> : <message>" on standard error and logged. Returns the application's exit
// status; 3 when the screenshot failed; 1 on an engine error.
int runDemo(const DemoRun& run);

} // namespace demokit
